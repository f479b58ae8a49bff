#include "shell/frmAbout.h"

#include "platform/CenterForm.h"
#include "platform/Platform.h"
#include "platform/Twips.h"
#include "shell/ApplicationIcon.h"
#include "tools/ToolWindow.h"

#include <QFrame>
#include <QLabel>
#include <QPalette>
#include <QPushButton>

#include <algorithm>

namespace quillmark {

namespace {
    const QColor kBackground(192, 192, 192);
}

VersionNumbers programVersion()
{
    return { QUILLMARK_VERSION_MAJOR, QUILLMARK_VERSION_MINOR, QUILLMARK_VERSION_REVISION };
}

QString versionCaption(const VersionNumbers& version)
{
    return QStringLiteral("Version %1.%2.%3").arg(version.majorNumber).arg(version.minorNumber).arg(version.revision);
}

frmAbout::frmAbout(Platform& platform, QWidget* parent)
    : frmAbout(platform, programVersion(), parent)
{
}

frmAbout::frmAbout(Platform& platform, const VersionNumbers& version, QWidget* parent)
    : QDialog(parent)
    , m_platform(platform)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About Quillmark 1.0"));
    setWindowIcon(applicationIcon());
    setModal(true);
    setFont(designFont());
    // A tool window's small title bar, a close button and nothing to minimise, maximise or resize.
    setWindowFlags(Qt::Tool | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint
        | Qt::WindowCloseButtonHint);
    setFixedSize(twipsToPixels(5580, platform.logicalDpiX()), twipsToPixels(3255, platform.logicalDpiY()));

    // The designed light grey, with black text on it whatever the desktop's colour scheme.
    QPalette colours = palette();
    colours.setColor(QPalette::Window, kBackground);
    colours.setColor(QPalette::WindowText, Qt::black);
    setPalette(colours);
    setAutoFillBackground(true);

    btnOk = new QPushButton(QStringLiteral("OK"), this);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    place(btnOk, 4320, 165, 1020, 315);
    btnOk->setDefault(true);
    btnOk->setFocusPolicy(Qt::StrongFocus);
    connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);

    Label1 = makeLabel(QStringLiteral("Label1"), QStringLiteral("Quillmark"), 1080, 180, 1755, 195);
    Label2 = makeLabel(QStringLiteral("Label2"), QStringLiteral("For Windows 95 or WindowNT"), 1080, 420, 3075, 195);
    lblVersion = makeLabel(QStringLiteral("lblVersion"), QStringLiteral("Version 1.0"), 2820, 180, 1335, 195);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    place(Image1, 360, 180, 480, 480);
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image1->setPixmap(applicationIcon().pixmap(QSize(32, 32)));

    // Two lines, dark over white, make the etched rule.
    Line2 = makeLine(QStringLiteral("Line2"), Qt::black, 1080, 5040, 2565);
    Line1 = makeLine(QStringLiteral("Line1"), Qt::white, 1080, 5040, 2580);
    // At any resolution the white line lies directly under the dark one.
    Line1->move(Line1->x(), Line2->y() + 1);

    CenterForm(*this, platform);
    lblVersion->setText(versionCaption(version));
    lblVersion->resize(std::max(lblVersion->width(), lblVersion->sizeHint().width()), lblVersion->height());
    btnOk->setFocus();
}

void frmAbout::place(QWidget* control, int left, int top, int width, int height)
{
    const double dpiX = m_platform.logicalDpiX();
    const double dpiY = m_platform.logicalDpiY();
    control->setGeometry(twipsToPixels(left, dpiX), twipsToPixels(top, dpiY), twipsToPixels(width, dpiX),
        twipsToPixels(height, dpiY));
}

QLabel* frmAbout::makeLabel(const QString& name, const QString& caption, int left, int top, int width, int height)
{
    auto* label = new QLabel(caption, this);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    place(label, left, top, width, height);
    // The designed boxes were measured for a smaller font: a caption grows down and right, never clipped.
    const QSize needed = label->sizeHint();
    label->resize(std::max(label->width(), needed.width()), std::max(label->height(), needed.height()));
    return label;
}

QFrame* frmAbout::makeLine(const QString& name, const QColor& colour, int left, int right, int y)
{
    auto* line = new QFrame(this);
    line->setObjectName(name);
    line->setFrameShape(QFrame::NoFrame);
    QPalette colours = line->palette();
    colours.setColor(QPalette::Window, colour);
    line->setPalette(colours);
    line->setAutoFillBackground(true);
    const double dpiX = m_platform.logicalDpiX();
    const int x = twipsToPixels(left, dpiX);
    line->setGeometry(x, twipsToPixels(y, m_platform.logicalDpiY()), twipsToPixels(right, dpiX) - x + 1, 1);
    return line;
}

} // namespace quillmark

#include "shell/frmMain.h"

#include "platform/CenterForm.h"
#include "platform/Platform.h"
#include "platform/Twips.h"
#include "shell/ApplicationIcon.h"
#include "shell/frmAbout.h"
#include "retrieve/frmRetrieve.h"
#include "tools/frmExtract.h"
#include "tools/frmMerge.h"
#include "tools/frmRemove.h"
#include "tools/frmSort.h"
#include "tools/frmSplit.h"

#include <QAction>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>

namespace quillmark {

namespace {
    const char* const kUtilityCaptions[] = { "&Remove", "&Merge", "S&plit", "&Extract", "&Sort and De-duplicate", "-",
        "Misce&llaneous Retrieve" };
    const char* const kHelpCaptions[] = { "&Contents", "-", "&About Quillmark" };
    constexpr const char* kHelpFileName = "qmk.html";
}

frmMain::frmMain(Platform& platform, QWidget* parent)
    : QMainWindow(parent)
    , m_platform(platform)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Quillmark"));
    setWindowIcon(applicationIcon());

    mnuFile = menuBar()->addMenu(QStringLiteral("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuFileItems[0] = mnuFile->addAction(QStringLiteral("&Exit"));
    mnuFileItems[0]->setObjectName(QStringLiteral("mnuFileItems_0"));
    connect(mnuFileItems[0], &QAction::triggered, this, &QWidget::close);

    mnuUtility = menuBar()->addMenu(QStringLiteral("&Utility"));
    mnuUtility->setObjectName(QStringLiteral("mnuUtility"));
    for (int i = 0; i < 7; ++i) {
        QAction* item = QString::fromLatin1(kUtilityCaptions[i]) == QLatin1String("-")
            ? mnuUtility->addSeparator()
            : mnuUtility->addAction(QString::fromLatin1(kUtilityCaptions[i]));
        item->setObjectName(QStringLiteral("mnuUtilityItems_%1").arg(i));
        connect(item, &QAction::triggered, this, [this, i] { openUtility(i); });
        mnuUtilityItems[i] = item;
    }

    mnuHelp = menuBar()->addMenu(QStringLiteral("&Help"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    for (int i = 0; i < 3; ++i) {
        QAction* item = QString::fromLatin1(kHelpCaptions[i]) == QLatin1String("-")
            ? mnuHelp->addSeparator()
            : mnuHelp->addAction(QString::fromLatin1(kHelpCaptions[i]));
        item->setObjectName(QStringLiteral("mnuHelpItems_%1").arg(i));
        mnuHelpItems[i] = item;
    }
    connect(mnuHelpItems[0], &QAction::triggered, this, &frmMain::showHelpContents);
    connect(mnuHelpItems[2], &QAction::triggered, this, [this] {
        frmAbout window(m_platform, this);
        window.exec();
    });
    // F1 anywhere in the program opens the same help.
    mnuHelpItems[0]->setShortcut(QKeySequence::HelpContents);
    mnuHelpItems[0]->setShortcutContext(Qt::ApplicationShortcut);


    // The window is a strip: the menu bar and next to nothing of a client area.
    const double dpiX = platform.logicalDpiX();
    const double dpiY = platform.logicalDpiY();
    setFixedSize(twipsToPixels(6030, dpiX), menuBar()->sizeHint().height() + twipsToPixels(60, dpiY));
    CenterForm(*this, platform);
    move(x(), twipsToPixels(1350, dpiY));
}

QString frmMain::helpPath()
{
    const QString folder = m_platform.programFolder();
    const QString besideProgram = folder + QLatin1Char('/') + QLatin1String(kHelpFileName);
    // Installed, the program lies in bin/ and the document in share/quillmark/ under the same prefix; in the build
    // tree the document is copied beside the program.
    const QString installed = folder + QLatin1Char('/') + QStringLiteral(QUILLMARK_HELP_FROM_PROGRAM)
        + QLatin1Char('/') + QLatin1String(kHelpFileName);
    if (!QFileInfo(besideProgram).isFile() && QFileInfo(installed).isFile())
        return QFileInfo(installed).canonicalFilePath();
    return besideProgram;
}

void frmMain::showHelpContents()
{
    QString error;
    if (!m_platform.openDocument(helpPath(), &error))
        m_platform.messageBox(this, error, 48, QStringLiteral("Quillmark"));
}

void frmMain::openUtility(int index)
{
    // A fresh window each time, so every opening starts from its designed contents.
    auto show = [this](auto&& window) { window.exec(); };
    switch (index) {
    case 0:
        show(frmRemove(m_platform, this));
        break;
    case 1:
        show(frmMerge(m_platform, this));
        break;
    case 2:
        show(frmSplit(m_platform, this));
        break;
    case 3:
        show(frmExtract(m_platform, this));
        break;
    case 4:
        show(frmSort(m_platform, this));
        break;
    case 6:
        show(frmRetrieve(m_platform, this));
        break;
    default:
        break; // the separator
    }
}

void frmMain::closeEvent(QCloseEvent* event)
{
    // Failures are of no interest here: an empty path, a file the sorter never wrote, one already gone.
    const ProgramState& state = m_platform.state();
    if (!state.sMergeListPath.isEmpty())
        QFile::remove(state.sMergeListPath);
    if (!state.sDupListPath.isEmpty())
        QFile::remove(state.sDupListPath);
    event->accept();
}

} // namespace quillmark

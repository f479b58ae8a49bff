#include "tools/ToolWindow.h"

#include "platform/CenterForm.h"
#include "platform/Paths.h"
#include "platform/Platform.h"
#include "platform/Twips.h"
#include "core/text.h"
#include "services/CommonDialog.h"
#include "tools/StatusPanel.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace quillmark {

ToolWindow::ToolWindow(Platform& platform, QWidget* parent, const QString& title, int clientWidth, int clientHeight)
    : QDialog(parent)
    , m_platform(platform)
{
    setWindowTitle(title);
    setModal(true);
    // The layout in twips was made for an 8-point sans-serif face.
    setFont(designFont());
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
        | Qt::WindowCloseButtonHint);
    setFixedSize(twipsToPixels(clientWidth, platform.logicalDpiX()), twipsToPixels(clientHeight, platform.logicalDpiY()));
    CommonDialog1 = new CommonDialog(platform, this);
    // Loading the window places it; its size is fixed from here on.
    CenterForm(*this, platform);
}

QFont designFont()
{
    QFont face = QApplication::font();
    face.setPointSizeF(8.25);
    return face;
}

void fitCaption(QWidget* control, const QString& caption, int room)
{
    QFont face = control->font();
    for (const int stretch : { 100, 87, 75 }) {
        face.setStretch(stretch);
        if (QFontMetrics(face).horizontalAdvance(caption) <= room)
            break;
    }
    control->setFont(face);
}

void fitLabels(QWidget& window)
{
    for (QLabel* label : window.findChildren<QLabel*>())
        fitCaption(label, label->text(), label->width());
}

void ToolWindow::place(QWidget* control, int left, int top, int width, int height)
{
    const double dpiX = m_platform.logicalDpiX();
    const double dpiY = m_platform.logicalDpiY();
    control->setGeometry(twipsToPixels(left, dpiX), twipsToPixels(top, dpiY), twipsToPixels(width, dpiX),
        twipsToPixels(height, dpiY));
}

QPushButton* ToolWindow::makeButton(const QString& name, const QString& caption, int left, int top, int width, int height)
{
    auto* button = new QPushButton(caption, this);
    button->setObjectName(name);
    button->setAutoDefault(false);
    place(button, left, top, width, height);
    return button;
}

QLineEdit* ToolWindow::makeTextBox(const QString& name, int left, int top, int width, int height)
{
    auto* box = new QLineEdit(this);
    box->setObjectName(name);
    place(box, left, top, width, height);
    return box;
}

QListWidget* ToolWindow::makeListBox(const QString& name, int left, int top, int width, int height)
{
    auto* list = new QListWidget(this);
    list->setObjectName(name);
    place(list, left, top, width, height);
    return list;
}

QLabel* ToolWindow::makeLabel(const QString& name, const QString& caption, int left, int top, int width, int height)
{
    auto* label = new QLabel(caption, this);
    label->setObjectName(name);
    place(label, left, top, width, height);
    return label;
}

StatusPanel* ToolWindow::makePanel(const QString& name, int left, int top, int width, int height)
{
    auto* panel = new StatusPanel(this);
    panel->setObjectName(name);
    place(panel, left, top, width, height);
    return panel;
}

void ToolWindow::setTabOrder(const QList<QWidget*>& order)
{
    for (qsizetype i = 0; i + 1 < order.size(); ++i)
        QWidget::setTabOrder(order.at(i), order.at(i + 1));
    for (QWidget* control : order)
        control->setFocusPolicy(control->focusPolicy() == Qt::NoFocus ? Qt::NoFocus : Qt::StrongFocus);
}

bool ToolWindow::showCheckFailure(const core::CheckFailure& failure)
{
    m_platform.messageBox(this, pathText(failure.text), failure.style,
        QString::fromStdString(failure.title));
    return true;
}

void ToolWindow::showRunError(const QString& title, const core::RunError& error)
{
    m_platform.messageBox(this, pathText(error.message()), core::kExclamation, title);
}

void ToolWindow::takeStartTime()
{
    const QDateTime now = m_platform.now();
    m_startTime = now.addMSecs(-now.time().msec());
}

QString ToolWindow::elapsedText()
{
    const QDateTime now = m_platform.now();
    const QDateTime wholeNow = now.addMSecs(-now.time().msec());
    return QString::fromStdString(core::elapsedText(m_startTime.secsTo(wholeNow)));
}

void ToolWindow::closeEvent(QCloseEvent* event)
{
    if (m_running) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void ToolWindow::reject()
{
    if (!m_running)
        QDialog::reject();
}

} // namespace quillmark

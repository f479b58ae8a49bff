#include "WindowTest.h"

#include <QApplication>
#include <QPointer>
#include <QRegularExpression>
#include <QTimer>

namespace quillmark::test {

void fill(QWidget& window, const QString& name, const QString& text)
{
    if (auto* box = control<QLineEdit>(window, name))
        box->setText(text);
}

void click(QWidget& window, const QString& name)
{
    if (auto* button = control<QAbstractButton>(window, name)) {
        if (!window.isVisible())
            window.show();
        QTest::mouseClick(button, Qt::LeftButton);
    }
}

QString text(QWidget& window, const QString& name)
{
    if (auto* box = control<QLineEdit>(window, name))
        return box->text();
    return {};
}

bool enabled(QWidget& window, const QString& name)
{
    auto* widget = control<QWidget>(window, name);
    return widget && widget->isEnabled();
}

void whenModalOpens(std::function<void(QWidget&)> action)
{
    auto* timer = new QTimer(qApp);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, action] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        timer->stop();
        timer->deleteLater();
        QPointer<QWidget> guard(modal);
        action(*modal);
        if (guard && guard->isVisible())
            guard->close();
    });
    timer->start();
}

void failOnScriptWarnings()
{
    QTest::failOnWarning(QRegularExpression(QStringLiteral("^ScriptedPlatform:")));
    QTest::failOnWarning(QRegularExpression(QStringLiteral("^no control ")));
}

} // namespace quillmark::test

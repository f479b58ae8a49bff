#pragma once

#include <QAbstractButton>
#include <QPushButton>
#include <QLineEdit>
#include <QListWidget>
#include <QString>
#include <QTest>
#include <QWidget>

#include <functional>

namespace quillmark::test {

// The control named name in window; fails the test (returns nullptr) when there is none.
template <class T>
T* control(QWidget& window, const QString& name)
{
    T* found = window.findChild<T*>(name);
    if (!found)
        qWarning("no control %s", qPrintable(name));
    return found;
}

// Replaces a text box's text, as typing would (one change).
void fill(QWidget& window, const QString& name, const QString& text);
// Clicks a button with the mouse; a disabled button takes no click.
void click(QWidget& window, const QString& name);
QString text(QWidget& window, const QString& name);
bool enabled(QWidget& window, const QString& name);

// Once the next modal window is open, runs action on it (then closes it unless the action did).
void whenModalOpens(std::function<void(QWidget&)> action);

// Fails on every warning from the scripted platform (a box or chooser without a queued answer).
void failOnScriptWarnings();

} // namespace quillmark::test

#pragma once

#include "core/check.h"
#include "core/error.h"
#include "core/progress.h"

#include <QDateTime>
#include <QDialog>
#include <QFont>
#include <QEventLoop>
#include <QMetaObject>
#include <QPointer>

#include <exception>
#include <functional>
#include <optional>
#include <thread>
#include <utility>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace quillmark {

class CommonDialog;
class Platform;
class StatusPanel;

// The face the windows were laid out for: the application's sans-serif face at 8.25 points.
QFont designFont();

// Narrows the face of a control whose caption is wider than its room (stretch 87, then 75): the face at hand
// can be wider than the one the layout was made for, and a caption must show whole.
void fitCaption(QWidget* control, const QString& caption, int room);
// fitCaption for every label of window, in its designed width.
void fitLabels(QWidget& window);

// The frame every tool window shares: a fixed-size modal window laid out in twips, centred when it loads, with a
// file dialog CommonDialog1, status panels, the check and error boxes, the elapsed-time clock, and runs that
// execute on a worker thread while the window repaints but takes no input.
class ToolWindow : public QDialog
{
    Q_OBJECT
public:
    ToolWindow(Platform& platform, QWidget* parent, const QString& title, int clientWidth, int clientHeight);

    // True while a run executes; the window cannot be closed then.
    bool running() const { return m_running; }

protected:
    Platform& platform() { return m_platform; }

    // Controls placed at twips (left, top, width, height) with their designed name as objectName.
    QPushButton* makeButton(const QString& name, const QString& caption, int left, int top, int width, int height);
    QLineEdit* makeTextBox(const QString& name, int left, int top, int width, int height);
    QListWidget* makeListBox(const QString& name, int left, int top, int width, int height);
    QLabel* makeLabel(const QString& name, const QString& caption, int left, int top, int width, int height);
    StatusPanel* makePanel(const QString& name, int left, int top, int width, int height);
    void place(QWidget* control, int left, int top, int width, int height);
    // The tab order, first to last.
    void setTabOrder(const QList<QWidget*>& order);

    // Shows a failed check's box. Returns true, so InvalidFile can return it.
    bool showCheckFailure(const core::CheckFailure& failure);
    // The run's error box: the system's description under the tool's error title, exclamation icon.
    void showRunError(const QString& title, const core::RunError& error);

    // The start of a run, for the elapsed time; elapsedText() is "nn:ss" since then.
    void takeStartTime();
    QString elapsedText();

    // Runs job on a worker thread. Progress calls from the job reach ui on this thread, in order, while the
    // window repaints; user input waits until the job has ended. Exceptions from the job are rethrown here.
    template <class Result>
    Result runInBackground(core::ProgressSink& ui, std::function<Result(core::ProgressSink&)> job);

    void closeEvent(QCloseEvent* event) override;
    void reject() override;

    CommonDialog* CommonDialog1 = nullptr;

private:
    class Relay;

    Platform& m_platform;
    QDateTime m_startTime;
    bool m_running = false;
};

// Forwards an engine's progress from the worker thread to a sink on the window's thread.
class ToolWindow::Relay : public core::ProgressSink
{
public:
    Relay(QObject* context, core::ProgressSink& target)
        : m_context(context)
        , m_target(target)
    {
    }
    void percent(double value) override
    {
        QMetaObject::invokeMethod(m_context, [this, value] { m_target.percent(value); }, Qt::QueuedConnection);
    }
    void count(std::int64_t value) override
    {
        QMetaObject::invokeMethod(m_context, [this, value] { m_target.count(value); }, Qt::QueuedConnection);
    }
    void phase(int value) override
    {
        QMetaObject::invokeMethod(m_context, [this, value] { m_target.phase(value); }, Qt::QueuedConnection);
    }

private:
    QObject* m_context;
    core::ProgressSink& m_target;
};

template <class Result>
Result ToolWindow::runInBackground(core::ProgressSink& ui, std::function<Result(core::ProgressSink&)> job)
{
    Relay relay(this, ui);
    QEventLoop loop;
    std::optional<Result> result;
    std::exception_ptr failure;
    m_running = true;
    std::thread worker([&] {
        try {
            result.emplace(job(relay));
        } catch (...) {
            failure = std::current_exception();
        }
        // Queued behind every progress call the job made, so the panels are up to date when the run returns.
        QMetaObject::invokeMethod(&loop, [&loop] { loop.quit(); }, Qt::QueuedConnection);
    });
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    worker.join();
    m_running = false;
    if (failure)
        std::rethrow_exception(failure);
    return std::move(*result);
}

} // namespace quillmark

#pragma once

#include "platform/Platform.h"

#include <QList>
#include <QQueue>
#include <QSet>

#include <optional>

namespace quillmark {

// A platform for tests: every box, chooser, pointer change, program start and clock reading is recorded, and
// boxes and choosers are answered from queues, so a test never waits on a modal dialog.
class ScriptedPlatform : public Platform
{
public:
    struct Box
    {
        QString text;
        int style;
        QString title;
    };
    struct Chooser
    {
        QStringList filters;
        int filterIndex;
        int dialogType;
    };
    struct Started
    {
        QString program;
        QStringList arguments;
    };

    // Answers. A box whose buttons offer a choice needs a queued answer: without one it answers as its last
    // button does and warns, which fails a test run with failOnWarning. An OK-only box answers OK by itself.
    void answerBox(int answer) { m_boxAnswers.enqueue(answer); }
    // The next chooser returns path; "" is a cancel. A chooser without a queued answer cancels and warns.
    void answerFile(const QString& path) { m_fileAnswers.enqueue(path); }
    // The next program start (or document opening) fails with this description.
    void failNextStart(const QString& description) { m_startFailures.enqueue(description); }

    // The clock: starts at a fixed moment and moves on by step seconds after every reading.
    void setClock(const QDateTime& start, int stepSeconds = 0);
    void setScreen(QSize pixels, double dpi = 96.0);
    void setProgramFolder(const QString& folder) { m_programFolder = folder; }
    void setDocumentsFolder(const QString& folder) { m_documentsFolder = folder; }
    // Overrides the real path check for these paths.
    void setExisting(const QString& path, bool exists) { m_existing.insert(path, exists); }

    // Records.
    const QList<Box>& boxes() const { return m_boxes; }
    const QList<Chooser>& choosers() const { return m_choosers; }
    const QList<Started>& started() const { return m_started; }
    const QStringList& openedDocuments() const { return m_documents; }
    // Each change of the application-wide pointer: true busy, false normal.
    const QList<bool>& pointerChanges() const { return m_pointer; }
    bool busy() const { return !m_pointer.isEmpty() && m_pointer.last(); }
    const QList<QPair<QWidget*, bool>>& windowPointerChanges() const { return m_windowPointer; }
    int clockReadings() const { return m_clockReadings; }
    int pendingAnswers() const { return int(m_boxAnswers.size() + m_fileAnswers.size()); }
    void clearRecords();

    int messageBox(QWidget* parent, const QString& text, int style, const QString& title) override;
    QString chooseFile(QWidget* parent, const QStringList& filters, int filterIndex, int dialogType) override;
    void setBusyPointer(bool busy) override { m_pointer.append(busy); }
    void setWindowBusy(QWidget* window, bool busy) override { m_windowPointer.append({ window, busy }); }
    QDateTime now() override;
    bool startProgram(const QString& program, const QStringList& arguments, QString* error) override;
    bool openDocument(const QString& path, QString* error) override;
    bool isExistingFile(const QString& path) override;
    QString programFolder() override { return m_programFolder; }
    QString documentsFolder() override { return m_documentsFolder; }
    QSize screenSize() override { return m_screen; }
    double logicalDpiX() override { return m_dpi; }
    double logicalDpiY() override { return m_dpi; }
    QString currentDirectory() override;
    bool setCurrentDirectory(const QString& path, QString* error) override;

private:
    QQueue<int> m_boxAnswers;
    QQueue<QString> m_fileAnswers;
    QQueue<QString> m_startFailures;
    QList<Box> m_boxes;
    QList<Chooser> m_choosers;
    QList<Started> m_started;
    QStringList m_documents;
    QList<bool> m_pointer;
    QList<QPair<QWidget*, bool>> m_windowPointer;
    QHash<QString, bool> m_existing;
    QDateTime m_clock = QDateTime(QDate(2026, 1, 5), QTime(9, 0, 0));
    int m_clockStep = 0;
    int m_clockReadings = 0;
    QSize m_screen { 1024, 768 };
    double m_dpi = 96.0;
    QString m_programFolder = QStringLiteral("/opt/quillmark/bin");
    QString m_documentsFolder = QStringLiteral("/home/user/Documents");
};

} // namespace quillmark

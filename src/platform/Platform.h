#pragma once

#include <QDateTime>
#include <QSize>
#include <QString>
#include <QStringList>

class QWidget;

namespace quillmark {

// What the program keeps program-wide: the Sort tool's two work files, deleted when the program ends.
struct ProgramState
{
    QString sMergeListPath;
    QString sDupListPath;
};

// Everything the windows need from the window system, the file system, the clock and program start.
// QtPlatform is the real one; ScriptedPlatform answers from queues and records every call, for tests.
class Platform
{
public:
    virtual ~Platform() = default;

    // A modal message box. style: buttons (0 OK, 1 OK/Cancel, 3 Yes/No/Cancel, 4 Yes/No) plus icon (16 stop,
    // 32 question, 48 exclamation, 64 information). A CR in text breaks the line. Returns the button pressed
    // (1 OK, 2 Cancel, 6 Yes, 7 No).
    virtual int messageBox(QWidget* parent, const QString& text, int style, const QString& title) = 0;

    // The modal file chooser: filters are "description|pattern" pairs as the windows give them, filterIndex
    // the 1-based entry preselected. dialogType 1 is the open dialog (any name may be typed). Returns the full
    // path, or "" when the user cancelled.
    virtual QString chooseFile(QWidget* parent, const QStringList& filters, int filterIndex, int dialogType) = 0;

    // The application-wide busy pointer, and the pointer over one window.
    virtual void setBusyPointer(bool busy) = 0;
    virtual void setWindowBusy(QWidget* window, bool busy) = 0;

    // The local date and time.
    virtual QDateTime now() = 0;

    // Starts program with an argument list (never through a shell) and does not wait. On failure returns false
    // with the system's description in error.
    virtual bool startProgram(const QString& program, const QStringList& arguments, QString* error) = 0;
    // Opens a file in the desktop's default application for it. On failure returns false with a description.
    virtual bool openDocument(const QString& path, QString* error) = 0;

    // The windows' path check: the path names an existing ordinary file.
    virtual bool isExistingFile(const QString& path) = 0;

    // The folder of the running program, as the system reports it; the user's documents folder.
    virtual QString programFolder() = 0;
    virtual QString documentsFolder() = 0;

    // The screen's size in pixels and its logical dots per inch (for twips).
    virtual QSize screenSize() = 0;
    virtual double logicalDpiX() = 0;
    virtual double logicalDpiY() = 0;

    // The process's working directory.
    virtual QString currentDirectory() = 0;
    virtual bool setCurrentDirectory(const QString& path, QString* error) = 0;

    ProgramState& state() { return m_state; }

private:
    ProgramState m_state;
};

} // namespace quillmark

#pragma once

#include <QByteArray>
#include <QString>

class QWidget;

namespace quillmark {

class Platform;

// The file chooser every file button uses, and the whole-file text services. It keeps no state between calls.
class clsFileController
{
public:
    explicit clsFileController(Platform& platform);

    // The filter list the chooser offers, first entry preselected.
    static const QString kFilter;
    // The most openTextFile returns.
    static constexpr qsizetype kTextLimit = 32000;

    // Shows frmForm's file dialog (its child CommonDialog1) and returns the chosen full path; "" when the user
    // cancelled, when the window has no such dialog, or on any other failure. Shows no message.
    QString GetFileName(QWidget* frmForm, int nType);

    // The first bytes of the file sFileName, at most kTextLimit, exactly as stored. A file that does not exist
    // (in a folder that does) is created empty and gives "". When the file cannot be opened, created or read,
    // shows the system's description in the "Open File" box (exclamation) and returns "". The busy pointer is
    // on while it works and off again on every path.
    QByteArray openTextFile(const QString& sFileName);

    // Writes sText to sFileName, so that the file then holds exactly those bytes. When sFileName names an
    // existing ordinary file (the name taken literally: wildcard characters are ordinary characters), first
    // asks in the "Save File" box whether to replace it and writes nothing when the answer is No. A failure to
    // create or write the file shows the system's description in the "Save File" box (exclamation); the file
    // may then be partly written. The busy pointer is on while it writes and off again on every path.
    void saveTextFile(const QString& sFileName, const QByteArray& sText);

private:
    void showFailure(const QString& sFileName, int code, const QString& title);

    Platform& m_platform;
};

} // namespace quillmark

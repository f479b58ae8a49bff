#pragma once

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

    // Shows frmForm's file dialog (its child CommonDialog1) and returns the chosen full path; "" when the user
    // cancelled, when the window has no such dialog, or on any other failure. Shows no message.
    QString GetFileName(QWidget* frmForm, int nType);

private:
    Platform& m_platform;
};

} // namespace quillmark

#pragma once

#include <QObject>
#include <QString>

class QWidget;

namespace quillmark {

class Platform;

// A window's file dialog control (named CommonDialog1): it holds the settings that the file controller makes
// and shows the platform's chooser when its action is set.
class CommonDialog : public QObject
{
    Q_OBJECT
public:
    CommonDialog(Platform& platform, QWidget* window);

    bool CancelError = false;
    QString filename;
    // Description and pattern pairs, all separated by vertical bars.
    QString Filter;
    int FilterIndex = 1;

    // Setting the action shows the dialog (1: open). Returns false when the user cancelled and CancelError is
    // set, or when the action is not one the dialog offers; filename then stays as it was.
    bool setAction(int nType);

private:
    Platform& m_platform;
    QWidget* m_window;
};

} // namespace quillmark

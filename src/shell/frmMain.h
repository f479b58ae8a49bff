#pragma once

#include <QMainWindow>

#include <array>

class QAction;
class QMenu;

namespace quillmark {

class Platform;

// The window the program starts with: a title bar and the File, Utility and Help menus. Each Utility item opens
// its tool window modally; closing this window ends the program and deletes the Sort tool's work files.
class frmMain : public QMainWindow
{
    Q_OBJECT
public:
    explicit frmMain(Platform& platform, QWidget* parent = nullptr);

    // The help document beside the program (or in the installed data folder).
    QString helpPath();
    // Help, Contents (and F1): opens the help document in the desktop's viewer.
    void showHelpContents();

    QMenu* mnuFile = nullptr;
    QMenu* mnuUtility = nullptr;
    QMenu* mnuHelp = nullptr;
    std::array<QAction*, 1> mnuFileItems {};
    std::array<QAction*, 7> mnuUtilityItems {};
    std::array<QAction*, 3> mnuHelpItems {};

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void openUtility(int index);

    Platform& m_platform;
};

} // namespace quillmark

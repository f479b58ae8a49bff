#pragma once

#include "services/clsFileController.h"
#include "tools/ToolWindow.h"

#include <array>
#include <optional>

class QLineEdit;
class QPushButton;

namespace quillmark {

class StatusPanel;

// The Remove tool: a new list of the address list's items that occur nowhere in the remove list.
class frmRemove : public ToolWindow
{
    Q_OBJECT
public:
    explicit frmRemove(Platform& platform, QWidget* parent = nullptr);

    // Shows the first path problem and returns true; false when the run may start.
    bool InvalidFile();
    void StartRemove();

    std::array<QPushButton*, 3> Command1 {};
    std::array<QLineEdit*, 3> txtListFile {};
    std::array<QPushButton*, 2> Command2 {};
    std::array<StatusPanel*, 3> SSPanel1 {};

private:
    void browse(int index);
    void start();

    // Made at the first Browse and kept for the window's life.
    std::optional<clsFileController> m_fileController;
};

} // namespace quillmark

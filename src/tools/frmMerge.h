#pragma once

#include "tools/ToolWindow.h"

#include <array>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace quillmark {

class StatusPanel;

// The Merge tool: several list files joined byte for byte, in list order, into one output file.
class frmMerge : public ToolWindow
{
    Q_OBJECT
public:
    explicit frmMerge(Platform& platform, QWidget* parent = nullptr);

    // Shows the first problem with the list and returns true; false when the run may start.
    bool InvalidFile();
    void StartMerge();

    QLabel* Label1 = nullptr;
    QLineEdit* txtMergeFile = nullptr;
    QLabel* Label2 = nullptr;
    QListWidget* lstMergeFiles = nullptr;
    std::array<QPushButton*, 3> Command1 {};
    std::array<QPushButton*, 2> Command2 {};
    StatusPanel* SSPanel1 = nullptr;

private:
    void browse();
    void addFile();
    void removeFile();
    void start();
};

} // namespace quillmark

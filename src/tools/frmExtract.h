#pragma once

#include "tools/ToolWindow.h"

#include <array>

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace quillmark {

class StatusPanel;

// The Extract tool: the items of several lists that contain a keyword (Extract), or that do not (Un-Extract),
// written to a new list with their total.
class frmExtract : public ToolWindow
{
    Q_OBJECT
public:
    explicit frmExtract(Platform& platform, QWidget* parent = nullptr);

    // Shows the first problem with the list and returns true; false when the run may start.
    bool InvalidFile();
    void StartExtract();

    QLabel* Label1 = nullptr;
    QLineEdit* txtExtractFile = nullptr;
    QGroupBox* SSFrame1 = nullptr;
    std::array<QRadioButton*, 2> optExtract {};
    QLabel* Label3 = nullptr;
    QLineEdit* txtKeyword = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label2 = nullptr;
    QListWidget* lstExtractFiles = nullptr;
    std::array<QPushButton*, 3> Command1 {};
    std::array<QPushButton*, 2> Command2 {};
    std::array<StatusPanel*, 2> SSPanel1 {};

private:
    void browse();
    void addFile();
    void removeFile();
    void start();
};

} // namespace quillmark

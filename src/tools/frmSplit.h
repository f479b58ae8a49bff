#pragma once

#include "tools/ToolWindow.h"

#include <array>

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace quillmark {

class StatusPanel;

// The Split tool: one list copied into numbered files of a fixed number of addresses each, in the program's
// folder, with one list entry per file written.
class frmSplit : public ToolWindow
{
    Q_OBJECT
public:
    explicit frmSplit(Platform& platform, QWidget* parent = nullptr);

    // Shows the problem with the input and returns true; false when the run may start.
    bool InvalidFile();
    void StartSplit();

    // Where the numbered files go: the program's folder when it is writable, otherwise (an installed program)
    // the user's documents folder.
    QString outputFolder();

    std::array<QLabel*, 7> Label1 {};
    QLineEdit* txtInputFile = nullptr;
    QGroupBox* SSFrame1 = nullptr;
    QLineEdit* txtNumber = nullptr;
    QLineEdit* txtFileName = nullptr;
    QLabel* Label2 = nullptr;
    QListWidget* lstSplitFiles = nullptr;
    std::array<QPushButton*, 3> Command1 {};
    std::array<StatusPanel*, 2> SSPanel1 {};

private:
    void browse();
    void start();
    // Adds an entry where the sorted list box keeps it: in alphabetical order of the text.
    void addSorted(const QString& entry);
};

} // namespace quillmark

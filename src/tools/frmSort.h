#pragma once

#include "core/sort_tool.h"
#include "tools/ToolWindow.h"

#include <array>
#include <cstddef>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace quillmark {

class StatusPanel;

// The Sort and de-duplicate tool: the listed files are joined into "merglist.tmp" in the output's folder, then
// sorted into the output without duplicate lines; the extra copies go to "duplist.tmp" beside it.
class frmSort : public ToolWindow
{
    Q_OBJECT
public:
    explicit frmSort(Platform& platform, QWidget* parent = nullptr);

    // Shows the first problem with the output path or the list and returns true; false when the run may start.
    bool InvalidFile();
    // Splits the output path into its folder and sSortFileName, makes the folder the working directory and
    // records the work files program-wide. False, after the "Sort File" box, when the folder cannot be entered.
    bool setTempFiles();
    // The run: the inputs into "merglist.tmp", then the sorter; "Sort file done. Time: " only when both succeeded.
    void StartSort();

    // The sorter's memory budget in bytes; 0 (the default) lets the sorter choose.
    void setMemoryBudget(std::size_t bytes) { m_memoryBudget = bytes; }

    QLabel* Label1 = nullptr;
    QLineEdit* txtSortFile = nullptr;
    QListWidget* lstSortFiles = nullptr;
    QLabel* Label2 = nullptr;
    std::array<QPushButton*, 3> Command1 {};
    std::array<QPushButton*, 2> Command2 {};
    std::array<StatusPanel*, 2> SSPanel1 {};

    // The output file's name without its folder, set at each Start.
    QString sSortFileName;

private:
    void browse();
    void add();
    void remove();
    void start();

    std::size_t m_memoryBudget = 0;
    // The files of the latest Start, from setTempFiles.
    core::SortWorkFiles m_workFiles;
};

} // namespace quillmark

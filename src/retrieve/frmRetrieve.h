#pragma once

#include "tools/ToolWindow.h"

#include <array>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace quillmark {

class StatusPanel;

// The Retrieve window: collects addresses from a mail folder's From and Reply-To lines, from the MAILTO links
// of a page, from text in <...> or from comma-separated text into a new list, or counts the items of a list.
// Every run ends with a box under the application title.
class frmRetrieve : public ToolWindow
{
    Q_OBJECT
public:
    explicit frmRetrieve(Platform& platform, QWidget* parent = nullptr);

    // The operations, each over the path boxes, writing the panels; the selected option decides which one
    // startRetrieve runs.
    void RetrieveEmailFile();
    void RetrieveBracketFile();
    // Opens the output file (when counting, the input file) in the desktop's application for it.
    void viewOutputFile();
    void CountAddress();
    void startRetrieve();

    QGroupBox* Frame2 = nullptr;
    QGroupBox* Frame1 = nullptr;
    std::array<QRadioButton*, 5> Option1 {};
    std::array<QCheckBox*, 2> Check1 {};
    std::array<QPushButton*, 2> Command1 {};
    QLineEdit* txtInputFile = nullptr;
    QLineEdit* txtOutputFile = nullptr;
    std::array<QPushButton*, 3> Command2 {};
    std::array<StatusPanel*, 2> SSPanel1 {};

private:
    void RetrieveHtmlFile();
    void RetrieveCommaFile();

    void Option1_Click(int index);
    void Command1_Click(int index);
    void Command2_Click(int index);

    // The start and end of the scan run frame shared by the four scans.
    void beginScan();
    void endScan(const QString& caption);
    void failRun(const core::RunError& error);
    // The message boxes of this window carry the application title.
    void showBox(const QString& text, int style);
};

} // namespace quillmark

#include "tools/frmSort.h"

#include "core/files.h"
#include "platform/Paths.h"
#include "platform/Platform.h"
#include "services/clsFileController.h"
#include "tools/StatusPanel.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace quillmark {

namespace {
// The sorter's start shows on panel 0.
class CaptionProgress : public core::ProgressSink
{
public:
    explicit CaptionProgress(StatusPanel* panel)
        : m_panel(panel)
    {
    }
    void phase(int value) override
    {
        if (value == 1)
            m_panel->setCaption(QStringLiteral("writing sort file ....."));
    }

private:
    StatusPanel* m_panel;
};

std::vector<std::string> listPaths(const QListWidget* list)
{
    std::vector<std::string> paths;
    for (int i = 0; i < list->count(); ++i)
        paths.push_back(pathBytes(list->item(i)->text()));
    return paths;
}
} // namespace

frmSort::frmSort(Platform& platform, QWidget* parent)
    : ToolWindow(platform, parent, QStringLiteral("Sort and De-duplicate Addresses"), 6690, 3675)
{
    Label1 = makeLabel(QStringLiteral("Label1"), QStringLiteral("Output sort file to:"), 60, 120, 1515, 195);
    txtSortFile = makeTextBox(QStringLiteral("txtSortFile"), 60, 360, 5475, 285);
    lstSortFiles = makeListBox(QStringLiteral("lstSortFiles"), 60, 1020, 5475, 2205);
    Label2 = makeLabel(QStringLiteral("Label2"), QStringLiteral("Files to sort and De-duplicate"), 60, 780, 2235, 195);
    Command1[0] = makeButton(QStringLiteral("Command1_0"), QStringLiteral("&Browse"), 5640, 360, 975, 315);
    Command1[1] = makeButton(QStringLiteral("Command1_1"), QStringLiteral("&Add"), 5640, 1020, 975, 315);
    Command1[2] = makeButton(QStringLiteral("Command1_2"), QStringLiteral("&Remove"), 5640, 1380, 975, 315);
    Command2[0] = makeButton(QStringLiteral("Command2_0"), QStringLiteral("&Start"), 5640, 2520, 975, 315);
    Command2[1] = makeButton(QStringLiteral("Command2_1"), QStringLiteral("&Close"), 5640, 2940, 975, 315);
    SSPanel1[0] = makePanel(QStringLiteral("SSPanel1_0"), 0, 3420, 2895, 240);
    SSPanel1[1] = makePanel(QStringLiteral("SSPanel1_1"), 2940, 3420, 3735, 240);
    // The designed label widths were measured for a narrower font than the desktop's; nothing stands to the right
    // of either label, so each grows to show its whole caption.
    for (QLabel* label : { Label1, Label2 })
        label->resize(label->size().expandedTo(label->sizeHint()));
    // The designed order; the labels keep their places in it but take no focus.
    setTabOrder({ Label1, txtSortFile, lstSortFiles, Label2, Command1[0], Command1[1], Command1[2], Command2[0],
        Command2[1], SSPanel1[0], SSPanel1[1] });

    Command1[2]->setEnabled(false);
    connect(Command1[0], &QPushButton::clicked, this, &frmSort::browse);
    connect(Command1[1], &QPushButton::clicked, this, &frmSort::add);
    connect(Command1[2], &QPushButton::clicked, this, &frmSort::remove);
    connect(lstSortFiles, &QListWidget::itemClicked, this, [this] {
        if (lstSortFiles->currentRow() >= 0)
            Command1[2]->setEnabled(true);
    });
    connect(Command2[0], &QPushButton::clicked, this, &frmSort::start);
    connect(Command2[1], &QPushButton::clicked, this, &QDialog::accept);
}

void frmSort::browse()
{
    clsFileController controller(platform());
    txtSortFile->setText(controller.GetFileName(this, 1));
    Command2[0]->setEnabled(true);
}

void frmSort::add()
{
    clsFileController controller(platform());
    const QString path = controller.GetFileName(this, 1);
    if (!path.isEmpty()) {
        lstSortFiles->addItem(path);
        Command1[2]->setEnabled(true);
    }
    Command2[0]->setEnabled(true);
}

void frmSort::remove()
{
    const int row = lstSortFiles->currentRow();
    if (row >= 0 && lstSortFiles->item(row)->isSelected())
        delete lstSortFiles->takeItem(row);
    Command1[2]->setEnabled(false);
    Command2[0]->setEnabled(true);
}

void frmSort::start()
{
    if (InvalidFile())
        return;
    Command2[0]->setEnabled(false);
    if (setTempFiles())
        StartSort();
}

bool frmSort::InvalidFile()
{
    const core::SortParams params { pathBytes(txtSortFile->text()), listPaths(lstSortFiles) };
    const auto failure = core::checkSort(
        params, pathBytes(platform().currentDirectory()),
        [this](const std::string& path) { return platform().isExistingFile(pathText(path)); },
        core::isExistingDirectory);
    return failure ? showCheckFailure(*failure) : false;
}

bool frmSort::setTempFiles()
{
    const core::SortWorkFiles files
        = core::sortWorkFiles(pathBytes(txtSortFile->text()), pathBytes(platform().currentDirectory()));
    sSortFileName = pathText(files.sortFileName);
    QString error;
    if (!platform().setCurrentDirectory(pathText(files.directory), &error)) {
        platform().messageBox(this, error, core::kExclamation, QString::fromLatin1(core::kSortErrorTitle));
        return false;
    }
    m_workFiles = files;
    platform().state().sMergeListPath = pathText(files.mergeListPath);
    platform().state().sDupListPath = pathText(files.dupListPath);
    return true;
}

void frmSort::StartSort()
{
    platform().setBusyPointer(true);
    SSPanel1[0]->setCaption(QStringLiteral("Reading address list files ....."));
    takeStartTime();

    core::SortRunParams params;
    params.inputs = listPaths(lstSortFiles);
    params.files = m_workFiles;
    params.memoryBudget = m_memoryBudget;
    CaptionProgress captions(SSPanel1[0]);
    const core::SortResult result = runInBackground<core::SortResult>(
        captions, [params](core::ProgressSink& progress) { return core::runSort(params, progress); });
    if (result.error) {
        showRunError(QString::fromLatin1(core::kSortErrorTitle), *result.error);
        platform().setBusyPointer(false);
        return;
    }
    platform().setBusyPointer(false);
    SSPanel1[0]->setCaption(QStringLiteral("Sort file done. Time: ") + elapsedText());
}

} // namespace quillmark

#include "tools/frmMerge.h"

#include "core/merge.h"
#include "platform/Paths.h"
#include "platform/Platform.h"
#include "services/clsFileController.h"
#include "tools/StatusPanel.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace quillmark {

frmMerge::frmMerge(Platform& platform, QWidget* parent)
    : ToolWindow(platform, parent, QStringLiteral("Merge Address"), 6615, 4185)
{
    Label1 = makeLabel(QStringLiteral("Label1"), QStringLiteral("Output the merge file to:"), 210, 210, 2610, 240);
    txtMergeFile = makeTextBox(QStringLiteral("txtMergeFile"), 210, 480, 5205, 285);
    Label2 = makeLabel(QStringLiteral("Label2"), QStringLiteral("The files to be merged:"), 195, 870, 2820, 240);
    lstMergeFiles = makeListBox(QStringLiteral("lstMergeFiles"), 210, 1155, 5205, 2205);
    Command1[0] = makeButton(QStringLiteral("Command1_0"), QStringLiteral("&Browse"), 5595, 465, 885, 330);
    Command1[1] = makeButton(QStringLiteral("Command1_1"), QStringLiteral("&Add"), 5610, 1140, 885, 315);
    Command1[2] = makeButton(QStringLiteral("Command1_2"), QStringLiteral("&Remove"), 5625, 1500, 870, 315);
    Command2[0] = makeButton(QStringLiteral("Command2_0"), QStringLiteral("&Start"), 4620, 3480, 915, 315);
    Command2[1] = makeButton(QStringLiteral("Command2_1"), QStringLiteral("&Close"), 5580, 3480, 915, 315);
    SSPanel1 = makePanel(QStringLiteral("SSPanel1"), 0, 3885, 6615, 270);
    setTabOrder({ txtMergeFile, lstMergeFiles, Command1[0], Command1[1], Command1[2], Command2[0], Command2[1] });
    txtMergeFile->setFocus();
    Command1[2]->setEnabled(false);

    connect(Command1[0], &QPushButton::clicked, this, &frmMerge::browse);
    connect(Command1[1], &QPushButton::clicked, this, &frmMerge::addFile);
    connect(Command1[2], &QPushButton::clicked, this, &frmMerge::removeFile);
    connect(lstMergeFiles, &QListWidget::itemClicked, this, [this] {
        if (!lstMergeFiles->selectedItems().isEmpty())
            Command1[2]->setEnabled(true);
    });
    // The only way Start comes back after a run.
    connect(txtMergeFile, &QLineEdit::textChanged, this, [this] { Command2[0]->setEnabled(true); });
    connect(Command2[0], &QPushButton::clicked, this, &frmMerge::start);
    connect(Command2[1], &QPushButton::clicked, this, &QDialog::accept);
}

void frmMerge::browse()
{
    clsFileController controller(platform());
    // A cancelled chooser empties the box.
    txtMergeFile->setText(controller.GetFileName(this, 1));
}

void frmMerge::addFile()
{
    clsFileController controller(platform());
    const QString path = controller.GetFileName(this, 1);
    if (path.isEmpty())
        return;
    lstMergeFiles->addItem(path);
    Command1[2]->setEnabled(true);
}

void frmMerge::removeFile()
{
    const QList<QListWidgetItem*> selected = lstMergeFiles->selectedItems();
    if (!selected.isEmpty())
        delete lstMergeFiles->takeItem(lstMergeFiles->row(selected.first()));
    lstMergeFiles->clearSelection();
    lstMergeFiles->setCurrentRow(-1);
    Command1[2]->setEnabled(false);
}

void frmMerge::start()
{
    if (InvalidFile())
        return;
    Command2[0]->setEnabled(false);
    StartMerge();
}

namespace {
core::MergeParams mergeParams(const QListWidget& list, const QLineEdit& output)
{
    core::MergeParams params;
    for (int i = 0; i < list.count(); ++i)
        params.inputs.push_back(pathBytes(list.item(i)->text()));
    params.outputPath = pathBytes(output.text());
    return params;
}
} // namespace

bool frmMerge::InvalidFile()
{
    const auto failure = core::checkMerge(mergeParams(*lstMergeFiles, *txtMergeFile),
        [this](const std::string& path) { return platform().isExistingFile(pathText(path)); });
    return failure ? showCheckFailure(*failure) : false;
}

void frmMerge::StartMerge()
{
    SSPanel1->setCaption(QStringLiteral("Merging address list ....."));
    takeStartTime();
    const core::MergeParams params = mergeParams(*lstMergeFiles, *txtMergeFile);
    core::ProgressSink noBar;
    const core::MergeResult result = runInBackground<core::MergeResult>(
        noBar, [params](core::ProgressSink& progress) { return core::runMerge(params, progress); });
    if (result.error) {
        showRunError(QString::fromLatin1(core::kMergeErrorTitle), *result.error);
        return;
    }
    SSPanel1->setCaption(QStringLiteral("Merge file done. Time: ") + elapsedText());
}

} // namespace quillmark

#include "tools/frmExtract.h"

#include "core/extract.h"
#include "core/text.h"
#include "platform/Paths.h"
#include "platform/Platform.h"
#include "services/clsFileController.h"
#include "tools/StatusPanel.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

namespace quillmark {


frmExtract::frmExtract(Platform& platform, QWidget* parent)
    : ToolWindow(platform, parent, QStringLiteral("Extract Address "), 6690, 4860)
{
    Label1 = makeLabel(QStringLiteral("Label1"), QStringLiteral("Output file to:"), 60, 150, 1515, 195);
    txtExtractFile = makeTextBox(QStringLiteral("txtExtractFile"), 60, 390, 5475, 285);

    SSFrame1 = new QGroupBox(QStringLiteral("Extract Option"), this);
    SSFrame1->setObjectName(QStringLiteral("SSFrame1"));
    place(SSFrame1, 75, 735, 6480, 1215);
    const auto inFrame = [this](QWidget* control, const QString& name, int left, int top, int width, int height) {
        control->setParent(SSFrame1);
        control->setObjectName(name);
        place(control, left, top, width, height);
    };
    optExtract[0] = new QRadioButton(QStringLiteral("Extract"));
    inFrame(optExtract[0], QStringLiteral("optExtract_0"), 300, 315, 1755, 240);
    optExtract[1] = new QRadioButton(QStringLiteral("Un-Extract"));
    inFrame(optExtract[1], QStringLiteral("optExtract_1"), 3525, 360, 1950, 165);
    optExtract[0]->setChecked(true);
    Label3 = new QLabel(QStringLiteral("Keyword:"));
    inFrame(Label3, QStringLiteral("Label3"), 285, 735, 765, 240);
    txtKeyword = new QLineEdit;
    inFrame(txtKeyword, QStringLiteral("txtKeyword"), 1050, 705, 1380, 285);
    Label4 = new QLabel(QStringLiteral("Please enter a domain name such as '.com' etc."));
    inFrame(Label4, QStringLiteral("Label4"), 2520, 735, 3855, 240);

    Label2 = makeLabel(QStringLiteral("Label2"), QStringLiteral("Files to extract from:"), 60, 2010, 2235, 195);
    lstExtractFiles = makeListBox(QStringLiteral("lstExtractFiles"), 60, 2250, 5475, 2205);
    Command1[0] = makeButton(QStringLiteral("Command1_0"), QStringLiteral("&Browse"), 5640, 390, 975, 315);
    Command1[1] = makeButton(QStringLiteral("Command1_1"), QStringLiteral("&Add"), 5640, 2250, 975, 315);
    Command1[2] = makeButton(QStringLiteral("Command1_2"), QStringLiteral("&Remove"), 5640, 2610, 975, 315);
    Command2[0] = makeButton(QStringLiteral("Command2_0"), QStringLiteral("&Start"), 5640, 3750, 975, 315);
    Command2[1] = makeButton(QStringLiteral("Command2_1"), QStringLiteral("&Close"), 5640, 4170, 975, 315);
    SSPanel1[0] = makePanel(QStringLiteral("SSPanel1_0"), 0, 4605, 4575, 255);
    SSPanel1[1] = makePanel(QStringLiteral("SSPanel1_1"), 4620, 4605, 2115, 255);

    // The tab order runs from Close upwards, so Close has the focus when the window opens.
    setTabOrder({ Command2[1], Command2[0], Command1[2], Command1[1], Command1[0], lstExtractFiles, txtExtractFile,
        optExtract[0], optExtract[1], txtKeyword });
    Command2[1]->setFocus();
    Command1[2]->setEnabled(false);
    fitLabels(*this);

    connect(Command1[0], &QPushButton::clicked, this, &frmExtract::browse);
    connect(Command1[1], &QPushButton::clicked, this, &frmExtract::addFile);
    connect(Command1[2], &QPushButton::clicked, this, &frmExtract::removeFile);
    connect(lstExtractFiles, &QListWidget::itemClicked, this, [this] {
        if (!lstExtractFiles->selectedItems().isEmpty())
            Command1[2]->setEnabled(true);
    });
    connect(Command2[0], &QPushButton::clicked, this, &frmExtract::start);
    connect(Command2[1], &QPushButton::clicked, this, &QDialog::accept);
}

// Browse, Add and Remove are the buttons that bring Start back after a run; typing and the options do not.
void frmExtract::browse()
{
    clsFileController controller(platform());
    // A cancelled chooser empties the box.
    txtExtractFile->setText(controller.GetFileName(this, 1));
    Command2[0]->setEnabled(true);
}

void frmExtract::addFile()
{
    clsFileController controller(platform());
    const QString path = controller.GetFileName(this, 1);
    if (!path.isEmpty()) {
        lstExtractFiles->addItem(path);
        Command1[2]->setEnabled(true);
    }
    Command2[0]->setEnabled(true);
}

void frmExtract::removeFile()
{
    const QList<QListWidgetItem*> selected = lstExtractFiles->selectedItems();
    if (!selected.isEmpty())
        delete lstExtractFiles->takeItem(lstExtractFiles->row(selected.first()));
    lstExtractFiles->clearSelection();
    lstExtractFiles->setCurrentRow(-1);
    Command1[2]->setEnabled(false);
    Command2[0]->setEnabled(true);
}

void frmExtract::start()
{
    if (InvalidFile())
        return;
    Command2[0]->setEnabled(false);
    StartExtract();
}

namespace {
core::ExtractParams extractParams(const QListWidget& list, const QLineEdit& output)
{
    core::ExtractParams params;
    for (int i = 0; i < list.count(); ++i)
        params.inputs.push_back(pathBytes(list.item(i)->text()));
    params.outputPath = pathBytes(output.text());
    return params;
}
} // namespace

bool frmExtract::InvalidFile()
{
    const auto failure = core::checkExtract(extractParams(*lstExtractFiles, *txtExtractFile),
        [this](const std::string& path) { return platform().isExistingFile(pathText(path)); });
    return failure ? showCheckFailure(*failure) : false;
}

void frmExtract::StartExtract()
{
    platform().setBusyPointer(true);
    SSPanel1[0]->setCaption(QStringLiteral("Reading address list files ....."));
    takeStartTime();
    core::ExtractParams params = extractParams(*lstExtractFiles, *txtExtractFile);
    // The keyword exactly as typed, in the bytes the lists are written in.
    params.keyword = txtKeyword->text().toLocal8Bit().toStdString();
    params.unExtract = !optExtract[0]->isChecked();
    core::ProgressSink noDisplay;
    const core::ExtractResult result = runInBackground<core::ExtractResult>(
        noDisplay, [params](core::ProgressSink& progress) { return core::runExtract(params, progress); });
    if (result.error) {
        showRunError(QString::fromLatin1(core::kExtractErrorTitle), *result.error);
        platform().setBusyPointer(false);
        return;
    }
    const QString total
        = QStringLiteral("Total new addresses: ") + QString::fromStdString(core::countText(result.written));
    // The total panel runs past the window's edge; its centred caption must end inside the window.
    const int hidden = std::max(0, SSPanel1[1]->geometry().right() + 1 - width());
    fitCaption(SSPanel1[1], total, SSPanel1[1]->contentsRect().width() - 2 - 2 * hidden);
    SSPanel1[1]->setCaption(total);
    platform().setBusyPointer(false);
    SSPanel1[0]->setCaption(QStringLiteral("Extract file done. Time: ") + elapsedText());
}

} // namespace quillmark

#include "tools/frmSplit.h"

#include "core/split.h"
#include "platform/Paths.h"
#include "platform/Platform.h"
#include "services/clsFileController.h"
#include "tools/StatusPanel.h"

#include <QFileInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace quillmark {


frmSplit::frmSplit(Platform& platform, QWidget* parent)
    : ToolWindow(platform, parent, QStringLiteral("Split Address List"), 6825, 4860)
{
    Label1[0] = makeLabel(QStringLiteral("Label1_0"), QStringLiteral("File to be splited:"), 105, 135, 1515, 195);
    txtInputFile = makeTextBox(QStringLiteral("txtInputFile"), 105, 375, 5475, 285);
    Command1[0] = makeButton(QStringLiteral("Command1_0"), QStringLiteral("&Browse"), 5685, 375, 975, 315);

    SSFrame1 = new QGroupBox(QStringLiteral("Setting"), this);
    SSFrame1->setObjectName(QStringLiteral("SSFrame1"));
    place(SSFrame1, 105, 750, 6480, 1215);
    const auto inFrame = [this](QWidget* control, const QString& name, int left, int top, int width, int height) {
        control->setParent(SSFrame1);
        control->setObjectName(name);
        place(control, left, top, width, height);
    };
    const auto frameLabel = [&](int index, const QString& caption, int left, int top, int width, int height) {
        Label1[index] = new QLabel(caption);
        inFrame(Label1[index], QStringLiteral("Label1_%1").arg(index), left, top, width, height);
    };
    frameLabel(1, QStringLiteral("Number Per File:"), 255, 330, 1365, 180);
    txtNumber = new QLineEdit(QString::fromLatin1(core::kSplitDefaultNumber));
    inFrame(txtNumber, QStringLiteral("txtNumber"), 1875, 285, 1590, 285);
    frameLabel(2, QStringLiteral("Base Split File Name:"), 255, 720, 1620, 240);
    txtFileName = new QLineEdit(QString::fromLatin1(core::kSplitDefaultBase));
    inFrame(txtFileName, QStringLiteral("txtFileName"), 1890, 675, 1590, 285);
    // Fixed example texts, whatever the base name box holds.
    frameLabel(3, QStringLiteral("Example:: "), 3945, 255, 810, 240);
    frameLabel(4, QStringLiteral("spliter1.txt"), 4875, 240, 1215, 255);
    frameLabel(5, QStringLiteral("spliter2.txt"), 4890, 540, 1155, 195);
    frameLabel(6, QStringLiteral("spliter3.txt"), 4890, 840, 975, 195);

    Label2 = makeLabel(QStringLiteral("Label2"), QStringLiteral("Split Output Files:"), 105, 1995, 2235, 195);
    lstSplitFiles = makeListBox(QStringLiteral("lstSplitFiles"), 105, 2235, 5475, 2205);
    Command1[1] = makeButton(QStringLiteral("Command1_1"), QStringLiteral("&Start"), 5760, 2220, 975, 315);
    Command1[2] = makeButton(QStringLiteral("Command1_2"), QStringLiteral("&Close"), 5760, 2640, 975, 315);
    SSPanel1[0] = makePanel(QStringLiteral("SSPanel1_0"), 45, 4590, 4575, 255);
    SSPanel1[1] = makePanel(QStringLiteral("SSPanel1_1"), 4665, 4590, 2115, 255);

    setTabOrder({ txtInputFile, lstSplitFiles, Command1[0], Command1[1], Command1[2], txtNumber, txtFileName });
    txtInputFile->setFocus();
    fitLabels(*this);

    // Browse and the two setting boxes bring Start back; typing the input path does not.
    connect(Command1[0], &QPushButton::clicked, this, &frmSplit::browse);
    connect(txtFileName, &QLineEdit::textChanged, this, [this] { Command1[1]->setEnabled(true); });
    connect(txtNumber, &QLineEdit::textChanged, this, [this] { Command1[1]->setEnabled(true); });
    connect(Command1[1], &QPushButton::clicked, this, &frmSplit::start);
    connect(Command1[2], &QPushButton::clicked, this, &QDialog::accept);
}

void frmSplit::browse()
{
    clsFileController controller(platform());
    // A cancelled chooser empties the box.
    txtInputFile->setText(controller.GetFileName(this, 1));
    Command1[1]->setEnabled(true);
}

void frmSplit::start()
{
    if (InvalidFile())
        return;
    Command1[1]->setEnabled(false);
    StartSplit();
}

QString frmSplit::outputFolder()
{
    const QString program = platform().programFolder();
    const QFileInfo info(program);
    if (!program.isEmpty() && info.isDir() && info.isWritable())
        return program;
    return platform().documentsFolder();
}

void frmSplit::addSorted(const QString& entry)
{
    int row = 0;
    while (row < lstSplitFiles->count()
        && QString::compare(lstSplitFiles->item(row)->text(), entry, Qt::CaseInsensitive) <= 0)
        ++row;
    lstSplitFiles->insertItem(row, entry);
}

namespace {
core::SplitParams splitParams(const QLineEdit& input, const QLineEdit& base, const QString& folder)
{
    core::SplitParams params;
    params.inputPath = pathBytes(input.text());
    params.baseName = pathBytes(base.text());
    params.folder = pathBytes(folder);
    return params;
}

// Hands each finished file to the window's thread, where its entry is added to the list.
class EntryRelay : public core::SplitProgress
{
public:
    EntryRelay(QObject* context, std::function<void(const QString&)> add)
        : m_context(context)
        , m_add(std::move(add))
    {
    }
    void fileWritten(const core::SplitFile& file) override
    {
        const QString entry = pathText(core::splitEntryText(file));
        QMetaObject::invokeMethod(
            m_context, [add = m_add, entry] { add(entry); }, Qt::QueuedConnection);
    }

private:
    QObject* m_context;
    std::function<void(const QString&)> m_add;
};
} // namespace

bool frmSplit::InvalidFile()
{
    const auto failure = core::checkSplit(splitParams(*txtInputFile, *txtFileName, outputFolder()),
        [this](const std::string& path) { return platform().isExistingFile(pathText(path)); });
    return failure ? showCheckFailure(*failure) : false;
}

void frmSplit::StartSplit()
{
    platform().setBusyPointer(true);
    SSPanel1[0]->setCaption(QStringLiteral("Reading address list files ....."));
    takeStartTime();
    const core::SplitLimit limit = core::convertSplitLimit(txtNumber->text().toStdString());
    if (!limit.limit) {
        platform().messageBox(this, QString::fromStdString(limit.failure), core::kExclamation,
            QString::fromLatin1(core::kSplitErrorTitle));
        platform().setBusyPointer(false);
        return;
    }
    lstSplitFiles->clear();

    core::SplitParams params = splitParams(*txtInputFile, *txtFileName, outputFolder());
    params.limit = *limit.limit;
    core::ProgressSink noDisplay;
    const core::SplitResult result = runInBackground<core::SplitResult>(noDisplay, [this, params](core::ProgressSink&) {
        EntryRelay relay(this, [this](const QString& entry) { addSorted(entry); });
        return core::runSplit(params, relay);
    });
    if (result.error) {
        showRunError(QString::fromLatin1(core::kSplitErrorTitle), *result.error);
        platform().setBusyPointer(false);
        return;
    }
    platform().setBusyPointer(false);
    SSPanel1[0]->setCaption(QStringLiteral("Extract file done. Time: ") + elapsedText());
}

} // namespace quillmark

#include "tools/frmRemove.h"

#include "core/remove.h"
#include "core/text.h"
#include "platform/Paths.h"
#include "platform/Platform.h"
#include "tools/StatusPanel.h"

#include <QLineEdit>
#include <QPushButton>

namespace quillmark {

namespace {
    // Percentage updates land on panel 2's bar.
    class BarProgress : public core::ProgressSink
    {
    public:
        explicit BarProgress(StatusPanel* panel)
            : m_panel(panel)
        {
        }
        void percent(double value) override { m_panel->setPercent(value); }

    private:
        StatusPanel* m_panel;
    };
}

frmRemove::frmRemove(Platform& platform, QWidget* parent)
    : ToolWindow(platform, parent, QStringLiteral("Remove Address"), 6555, 2715)
{
    Command1[0] = makeButton(QStringLiteral("Command1_0"), QStringLiteral("&Address List File"), 75, 225, 1410, 300);
    txtListFile[0] = makeTextBox(QStringLiteral("txtListFile_0"), 1635, 210, 4800, 285);
    Command1[1] = makeButton(QStringLiteral("Command1_1"), QStringLiteral("&Remove List File"), 120, 750, 1410, 300);
    txtListFile[1] = makeTextBox(QStringLiteral("txtListFile_1"), 1635, 735, 4800, 315);
    Command1[2] = makeButton(QStringLiteral("Command1_2"), QStringLiteral("&New List File"), 105, 1290, 1395, 300);
    txtListFile[2] = makeTextBox(QStringLiteral("txtListFile_2"), 1635, 1290, 4800, 300);
    Command2[0] = makeButton(QStringLiteral("Command2_0"), QStringLiteral("&Start"), 4605, 1845, 945, 315);
    Command2[1] = makeButton(QStringLiteral("Command2_1"), QStringLiteral("&Close"), 5580, 1845, 855, 315);
    SSPanel1[0] = makePanel(QStringLiteral("SSPanel1_0"), 0, 2460, 2355, 240);
    SSPanel1[1] = makePanel(QStringLiteral("SSPanel1_1"), 2400, 2460, 2235, 240);
    SSPanel1[2] = makePanel(QStringLiteral("SSPanel1_2"), 4680, 2460, 1875, 240);
    setTabOrder({ Command1[0], txtListFile[0], Command1[1], txtListFile[1], Command1[2], txtListFile[2], Command2[0],
        Command2[1] });

    for (int i = 0; i < 3; ++i) {
        connect(Command1[i], &QPushButton::clicked, this, [this, i] { browse(i); });
        connect(txtListFile[i], &QLineEdit::textChanged, this, [this] { Command2[0]->setEnabled(true); });
    }
    connect(Command2[0], &QPushButton::clicked, this, &frmRemove::start);
    connect(Command2[1], &QPushButton::clicked, this, &QDialog::accept);
}

void frmRemove::browse(int index)
{
    if (!m_fileController)
        m_fileController.emplace(platform());
    const QString path = m_fileController->GetFileName(this, 1);
    if (!path.isEmpty())
        txtListFile[index]->setText(path);
}

void frmRemove::start()
{
    if (InvalidFile())
        return;
    Command2[0]->setEnabled(false);
    StartRemove();
}

bool frmRemove::InvalidFile()
{
    const core::RemoveParams params { pathBytes(txtListFile[0]->text()), pathBytes(txtListFile[1]->text()),
        pathBytes(txtListFile[2]->text()) };
    const auto failure = core::checkRemove(
        params, [this](const std::string& path) { return platform().isExistingFile(pathText(path)); });
    return failure ? showCheckFailure(*failure) : false;
}

void frmRemove::StartRemove()
{
    platform().setBusyPointer(true);
    SSPanel1[1]->setCaption(QString());
    SSPanel1[0]->setCaption(QStringLiteral("Removing ....."));
    SSPanel1[2]->setBarStyle(1);
    takeStartTime();

    const core::RemoveParams params { pathBytes(txtListFile[0]->text()), pathBytes(txtListFile[1]->text()),
        pathBytes(txtListFile[2]->text()) };
    BarProgress bar(SSPanel1[2]);
    const core::RemoveResult result = runInBackground<core::RemoveResult>(
        bar, [params](core::ProgressSink& progress) { return core::runRemove(params, progress); });
    if (result.error) {
        showRunError(QString::fromLatin1(core::kRemoveErrorTitle), *result.error);
        platform().setBusyPointer(false);
        return;
    }

    SSPanel1[2]->setPercent(0);
    SSPanel1[2]->setBarStyle(0);
    SSPanel1[2]->setCaption(QStringLiteral("Time: ") + elapsedText());
    SSPanel1[0]->setCaption(QStringLiteral("Removed: ") + QString::fromStdString(core::countText(result.removed)));
    SSPanel1[1]->setCaption(
        QStringLiteral("New Address: ") + QString::fromStdString(core::countText(result.written)));
    platform().setBusyPointer(false);
}

} // namespace quillmark

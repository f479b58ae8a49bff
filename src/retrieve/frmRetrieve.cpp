#include "retrieve/frmRetrieve.h"

#include "core/scan_bracket.h"
#include "core/scan_comma.h"
#include "core/scan_common.h"
#include "core/scan_count.h"
#include "core/scan_html.h"
#include "core/scan_mail.h"
#include "platform/Paths.h"
#include "platform/Platform.h"
#include "services/clsFileController.h"
#include "tools/StatusPanel.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <climits>
#include <cmath>

namespace quillmark {

namespace {
const QString kTitle = QString::fromLatin1(core::kRetrieveTitle);

// On the worker: passes a percentage on only when it moved by a tenth of a percent. The scans that report
// after every item would otherwise queue millions of panel updates that no bar could show apart.
class ThinnedPercent : public core::ProgressSink
{
public:
    explicit ThinnedPercent(core::ProgressSink& target)
        : m_target(target)
    {
    }
    void percent(double value) override
    {
        const long long tenths = std::llround(value * 10.0);
        if (tenths == m_last)
            return;
        m_last = tenths;
        m_target.percent(value);
    }
    void count(std::int64_t value) override { m_target.count(value); }
    void phase(int value) override { m_target.phase(value); }

private:
    core::ProgressSink& m_target;
    long long m_last = LLONG_MIN;
};

// On the window: the bar of panel 1, the caption of panel 0.
class Panels : public core::ProgressSink
{
public:
    Panels(StatusPanel* caption, StatusPanel* bar)
        : m_caption(caption)
        , m_bar(bar)
    {
    }
    void percent(double value) override { m_bar->setPercent(value); }
    // The running count while counting.
    void count(std::int64_t value) override
    {
        m_caption->setCaption(QString::fromStdString(core::runningCountCaption(value)));
    }
    // The mail scan empties the caption once its files are open.
    void phase(int value) override
    {
        if (value == 1)
            m_caption->setCaption(QString());
    }

private:
    StatusPanel* m_caption;
    StatusPanel* m_bar;
};

// A check box or option button keeps its designed place; where the desktop's font needs more room than the
// design gives, it grows to the right and about its designed middle line.
void fitCaption(QAbstractButton* button)
{
    const QSize needed = button->sizeHint();
    QRect place = button->geometry();
    if (needed.width() > place.width())
        place.setWidth(needed.width());
    if (needed.height() > place.height()) {
        const int middle = place.center().y();
        place.setHeight(needed.height());
        place.moveTop(middle - needed.height() / 2);
    }
    button->setGeometry(place);
}

// A command button keeps its designed middle and grows to both sides when its caption needs more room.
void fitButton(QPushButton* button)
{
    QString caption = button->text();
    caption.remove(QLatin1Char('&'));
    const int needed = button->fontMetrics().horizontalAdvance(caption) + 12;
    QRect place = button->geometry();
    if (needed > place.width()) {
        const int middle = place.center().x();
        place.setWidth(needed);
        place.moveLeft(middle - needed / 2);
        button->setGeometry(place);
    }
}

// A frame grows to the right to hold what grew inside it.
void fitAround(QWidget* frame)
{
    int right = 0;
    for (const QWidget* child : frame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        right = std::max(right, child->geometry().right());
    if (right + 6 > frame->width())
        frame->resize(right + 6, frame->height());
}
} // namespace

frmRetrieve::frmRetrieve(Platform& platform, QWidget* parent)
    : ToolWindow(platform, parent, QStringLiteral("Retrieve Email Address"), 6690, 4215)
{
    Frame2 = new QGroupBox(QStringLiteral("Retrieve From"), this);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    place(Frame2, 180, 60, 6435, 1995);

    const char* const optionCaptions[] = { "Any Email Folder File", "HTML File or Web Page", "Enclosed With in <...>",
        "Seperated By Comma", "Count Number of Addresses in List" };
    const int optionPlaces[][4] = { { 300, 300, 2955, 255 }, { 300, 660, 2715, 255 }, { 300, 1020, 2655, 195 },
        { 300, 1320, 2595, 195 }, { 300, 1620, 2775, 255 } };
    for (int i = 0; i < 5; ++i) {
        Option1[i] = new QRadioButton(QString::fromLatin1(optionCaptions[i]), Frame2);
        Option1[i]->setObjectName(QStringLiteral("Option1_%1").arg(i));
        place(Option1[i], optionPlaces[i][0], optionPlaces[i][1], optionPlaces[i][2], optionPlaces[i][3]);
        fitCaption(Option1[i]);
    }
    Option1[0]->setChecked(true);

    Frame1 = new QGroupBox(Frame2);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    place(Frame1, 3120, 120, 3195, 435);
    Check1[0] = new QCheckBox(QStringLiteral("From Field"), Frame1);
    Check1[1] = new QCheckBox(QStringLiteral("Reply-To Field"), Frame1);
    place(Check1[0], 240, 180, 1095, 195);
    place(Check1[1], 1620, 180, 1395, 195);
    for (int i = 0; i < 2; ++i) {
        Check1[i]->setObjectName(QStringLiteral("Check1_%1").arg(i));
        Check1[i]->setChecked(true);
        fitCaption(Check1[i]);
    }
    fitAround(Frame1);

    Command1[0] = makeButton(QStringLiteral("Command1_0"), QStringLiteral("&Input File"), 120, 2220, 1335, 315);
    txtInputFile = makeTextBox(QStringLiteral("txtInputFile"), 1560, 2220, 5055, 315);
    Command1[1] = makeButton(QStringLiteral("Command1_1"), QStringLiteral("&Output File"), 120, 2760, 1335, 315);
    txtOutputFile = makeTextBox(QStringLiteral("txtOutputFile"), 1560, 2760, 5055, 315);
    Command2[2] = makeButton(QStringLiteral("Command2_2"), QStringLiteral("&View Output File"), 2820, 3420, 1455, 315);
    Command2[0] = makeButton(QStringLiteral("Command2_0"), QStringLiteral("&Start"), 4380, 3420, 1155, 315);
    Command2[1] = makeButton(QStringLiteral("Command2_1"), QStringLiteral("&Close"), 5580, 3420, 1035, 315);
    for (QPushButton* button : { Command1[0], Command1[1], Command2[2], Command2[0], Command2[1] })
        fitButton(button);
    SSPanel1[0] = makePanel(QStringLiteral("SSPanel1_0"), 0, 3945, 2175, 270);
    SSPanel1[1] = makePanel(QStringLiteral("SSPanel1_1"), 2220, 3960, 4455, 255);
    SSPanel1[1]->setBarStyle(1);
    setTabOrder({ Option1[0], Check1[0], Check1[1], Option1[1], Option1[2], Option1[3], Option1[4], Command1[0],
        txtInputFile, Command1[1], txtOutputFile, Command2[2], Command2[0], Command2[1] });

    for (int i = 0; i < 5; ++i) {
        connect(Option1[i], &QRadioButton::toggled, this, [this, i](bool selected) {
            if (selected)
                Option1_Click(i);
        });
    }
    for (int i = 0; i < 2; ++i)
        connect(Command1[i], &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
    for (int i = 0; i < 3; ++i)
        connect(Command2[i], &QPushButton::clicked, this, [this, i] { Command2_Click(i); });
    for (QLineEdit* box : { txtInputFile, txtOutputFile })
        connect(box, &QLineEdit::textChanged, this, [this] { Command2[0]->setEnabled(true); });

    Command2[2]->setEnabled(false);
    Command2[0]->setEnabled(false);
}

void frmRetrieve::Option1_Click(int index)
{
    Frame1->setEnabled(index == 0);
    Command1[1]->setEnabled(index != 4);
    txtOutputFile->setEnabled(index != 4);
}

void frmRetrieve::Command1_Click(int index)
{
    clsFileController fileController(platform());
    const QString path = fileController.GetFileName(this, 1);
    if (!path.isEmpty())
        (index == 0 ? txtInputFile : txtOutputFile)->setText(path);
    Command2[2]->setEnabled(true);
}

void frmRetrieve::Command2_Click(int index)
{
    switch (index) {
    case 0: {
        const auto exists = [this](const std::string& path) { return platform().isExistingFile(pathText(path)); };
        const std::string input = pathBytes(txtInputFile->text());
        const auto failure = Option1[4]->isChecked() ? core::checkAddressCount({ input }, exists)
                                                     : core::checkScan(input, pathBytes(txtOutputFile->text()), exists);
        if (failure) {
            showCheckFailure(*failure);
            return;
        }
        Command2[0]->setEnabled(false);
        startRetrieve();
        break;
    }
    case 1:
        accept();
        break;
    case 2:
        if (platform().isExistingFile(txtOutputFile->text()))
            viewOutputFile();
        else
            showBox(QString::fromLatin1(core::kInvalidOutputText), core::kOkOnly);
        break;
    default:
        break;
    }
}

void frmRetrieve::startRetrieve()
{
    // Each option is tested on its own; exactly one is selected, so exactly one operation runs.
    if (Option1[0]->isChecked())
        RetrieveEmailFile();
    if (Option1[1]->isChecked())
        RetrieveHtmlFile();
    if (Option1[2]->isChecked())
        RetrieveBracketFile();
    if (Option1[3]->isChecked())
        RetrieveCommaFile();
    if (Option1[4]->isChecked())
        CountAddress();
}

void frmRetrieve::viewOutputFile()
{
    const QString path = Option1[4]->isChecked() ? txtInputFile->text() : txtOutputFile->text();
    QString error;
    if (!platform().openDocument(path, &error))
        showBox(error, core::kExclamation);
}

void frmRetrieve::showBox(const QString& text, int style)
{
    platform().messageBox(this, text, style, kTitle);
}

void frmRetrieve::beginScan()
{
    platform().setWindowBusy(this, true);
    SSPanel1[0]->setCaption(QString());
}

void frmRetrieve::endScan(const QString& caption)
{
    SSPanel1[0]->setCaption(caption);
    SSPanel1[1]->setPercent(0);
    showBox(QString::fromLatin1(core::kRetrieveDoneText), core::kOkOnly);
    platform().setWindowBusy(this, false);
}

void frmRetrieve::failRun(const core::RunError& error)
{
    showRunError(kTitle, error);
    platform().setWindowBusy(this, false);
}

void frmRetrieve::RetrieveEmailFile()
{
    core::MailScanParams params;
    params.inputPath = pathBytes(txtInputFile->text());
    params.outputPath = pathBytes(txtOutputFile->text());
    params.takeFrom = Check1[0]->isChecked();
    params.takeReplyTo = Check1[1]->isChecked();
    // The caption is emptied only once the files are open (the phase the scan reports).
    platform().setWindowBusy(this, true);
    Panels panels(SSPanel1[0], SSPanel1[1]);
    const auto result = runInBackground<core::MailScanResult>(panels, [params](core::ProgressSink& progress) {
        ThinnedPercent thinned(progress);
        return core::runMailScan(params, thinned);
    });
    if (result.error)
        return failRun(*result.error);
    endScan(QString::fromStdString(core::mailScanCaption(result.count)));
}

void frmRetrieve::RetrieveHtmlFile()
{
    const core::HtmlScanParams params { pathBytes(txtInputFile->text()), pathBytes(txtOutputFile->text()) };
    beginScan();
    Panels panels(SSPanel1[0], SSPanel1[1]);
    const auto result = runInBackground<core::HtmlScanResult>(panels, [params](core::ProgressSink& progress) {
        ThinnedPercent thinned(progress);
        return core::runHtmlScan(params, thinned);
    });
    if (result.error)
        return failRun(*result.error);
    endScan(QString::fromStdString(core::addressesCaption(result.count)));
}

void frmRetrieve::RetrieveBracketFile()
{
    const core::BracketScanParams params { pathBytes(txtInputFile->text()), pathBytes(txtOutputFile->text()) };
    beginScan();
    Panels panels(SSPanel1[0], SSPanel1[1]);
    const auto result = runInBackground<core::BracketScanResult>(panels, [params](core::ProgressSink& progress) {
        ThinnedPercent thinned(progress);
        return core::runBracketScan(params, thinned);
    });
    if (result.error)
        return failRun(*result.error);
    endScan(QString::fromStdString(core::addressesCaption(result.count)));
}

void frmRetrieve::RetrieveCommaFile()
{
    const core::CommaScanParams params { pathBytes(txtInputFile->text()), pathBytes(txtOutputFile->text()) };
    beginScan();
    Panels panels(SSPanel1[0], SSPanel1[1]);
    const auto result = runInBackground<core::CommaScanResult>(
        panels, [params](core::ProgressSink& progress) { return core::runCommaScan(params, progress); });
    if (result.error)
        return failRun(*result.error);
    endScan(QString::fromStdString(core::addressesCaption(result.count)));
}

void frmRetrieve::CountAddress()
{
    const core::AddressCountParams params { pathBytes(txtInputFile->text()) };
    // The caption keeps the previous run's text until the first running count replaces it.
    platform().setWindowBusy(this, true);
    Panels panels(SSPanel1[0], SSPanel1[1]);
    const auto result = runInBackground<core::AddressCountResult>(
        panels, [params](core::ProgressSink& progress) { return core::runAddressCount(params, progress); });
    if (result.error)
        return failRun(*result.error);
    SSPanel1[0]->setCaption(QString::fromStdString(core::addressCountCaption(result.count)));
    showBox(QString::fromLatin1(core::kCountDoneText), core::kOkOnly);
    platform().setWindowBusy(this, false);
}

} // namespace quillmark

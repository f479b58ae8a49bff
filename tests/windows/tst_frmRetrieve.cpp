#include "WindowTest.h"

#include "platform/ScriptedPlatform.h"
#include "retrieve/frmRetrieve.h"
#include "support/TempDir.h"
#include "tools/StatusPanel.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QtTest>

using namespace quillmark;
using namespace quillmark::test;

class TestFrmRetrieve : public QObject
{
    Q_OBJECT

private:
    static QString q(const std::string& path) { return QString::fromStdString(path); }
    static QString fixture(const QString& name) { return QStringLiteral(QUILLMARK_FIXTURES_DIR "/retrieve/") + name; }
    static StatusPanel* panel(QWidget& window, int index)
    {
        return control<StatusPanel>(window, QStringLiteral("SSPanel1_%1").arg(index));
    }
    static QRadioButton* option(QWidget& window, int index)
    {
        return control<QRadioButton>(window, QStringLiteral("Option1_%1").arg(index));
    }
    static QCheckBox* check(QWidget& window, int index)
    {
        return control<QCheckBox>(window, QStringLiteral("Check1_%1").arg(index));
    }
    // One box of this window: text, style, and the application title.
    static void expectOneBox(const ScriptedPlatform& platform, const QString& text, int style)
    {
        QCOMPARE(platform.boxes().size(), 1);
        QCOMPARE(platform.boxes()[0].text, text);
        QCOMPARE(platform.boxes()[0].style, style);
        QCOMPARE(platform.boxes()[0].title, QStringLiteral("Quillmark"));
    }
    // The next control that the tab key stops at (the frames take no focus).
    static QWidget* nextTabStop(QWidget* from)
    {
        QWidget* next = from->nextInFocusChain();
        while (next != from && !(next->focusPolicy() & Qt::TabFocus))
            next = next->nextInFocusChain();
        return next;
    }
    static QList<QPair<QWidget*, bool>> busyThenNormal(QWidget* window)
    {
        return { { window, true }, { window, false } };
    }

private slots:
    void init() { failOnScriptWarnings(); }

    void designedControlsAndLoadState()
    {
        ScriptedPlatform platform;
        frmRetrieve window(platform);
        QCOMPARE(window.windowTitle(), QStringLiteral("Retrieve Email Address"));
        QCOMPARE(window.size(), QSize(446, 281)); // 6690 x 4215 twips at 96 dpi
        QCOMPARE(control<QGroupBox>(window, "Frame2")->title(), QStringLiteral("Retrieve From"));
        QCOMPARE(control<QGroupBox>(window, "Frame1")->title(), QString());
        const QStringList options = { "Any Email Folder File", "HTML File or Web Page", "Enclosed With in <...>",
            "Seperated By Comma", "Count Number of Addresses in List" };
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(option(window, i)->text(), options[i]);
            QCOMPARE(option(window, i)->isChecked(), i == 0);
            QCOMPARE(option(window, i)->parentWidget()->objectName(), QStringLiteral("Frame2"));
        }
        QCOMPARE(check(window, 0)->text(), QStringLiteral("From Field"));
        QCOMPARE(check(window, 1)->text(), QStringLiteral("Reply-To Field"));
        for (int i = 0; i < 2; ++i) {
            QVERIFY(check(window, i)->isChecked());
            QCOMPARE(check(window, i)->parentWidget()->objectName(), QStringLiteral("Frame1"));
        }
        const QStringList buttons = { "Command1_0", "Command1_1", "Command2_0", "Command2_1", "Command2_2" };
        const QStringList captions = { "&Input File", "&Output File", "&Start", "&Close", "&View Output File" };
        for (int i = 0; i < buttons.size(); ++i)
            QCOMPARE(control<QPushButton>(window, buttons[i])->text(), captions[i]);
        QCOMPARE(control<QPushButton>(window, "Command2_0")->geometry(), QRect(292, 228, 77, 21));
        QCOMPARE(control<QLineEdit>(window, "txtOutputFile")->geometry(), QRect(104, 184, 337, 21));
        QCOMPARE(panel(window, 0)->geometry(), QRect(0, 263, 145, 18));

        QVERIFY(!enabled(window, "Command2_0"));
        QVERIFY(!enabled(window, "Command2_2"));
        for (const char* name : { "Frame1", "Command1_1", "txtOutputFile", "Command1_0", "txtInputFile", "Command2_1" })
            QVERIFY2(enabled(window, name), name);
        QCOMPARE(text(window, "txtInputFile"), QString());
        QCOMPARE(text(window, "txtOutputFile"), QString());
        QCOMPARE(panel(window, 0)->caption(), QString());
        QCOMPARE(panel(window, 1)->caption(), QString());
        QCOMPARE(panel(window, 1)->barStyle(), 1);

        const QStringList order
            = { "Option1_0", "Check1_0", "Check1_1", "Option1_1", "Option1_2", "Option1_3", "Option1_4", "Command1_0",
                  "txtInputFile", "Command1_1", "txtOutputFile", "Command2_2", "Command2_0", "Command2_1" };
        for (int i = 0; i + 1 < order.size(); ++i)
            QCOMPARE(nextTabStop(control<QWidget>(window, order[i]))->objectName(), order[i + 1]);
    }

    void optionsEnableTheirControls_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("frame");
        QTest::addColumn<bool>("output");
        QTest::newRow("count") << 4 << false << false;
        QTest::newRow("html") << 1 << false << true;
        QTest::newRow("bracket") << 2 << false << true;
        QTest::newRow("comma") << 3 << false << true;
    }

    void optionsEnableTheirControls()
    {
        QFETCH(int, index);
        QFETCH(bool, frame);
        QFETCH(bool, output);
        ScriptedPlatform platform;
        frmRetrieve window(platform);
        fill(window, "txtOutputFile", "/data/out.txt");
        check(window, 1)->setChecked(false);
        click(window, QStringLiteral("Option1_%1").arg(index));
        QVERIFY(option(window, index)->isChecked());
        QCOMPARE(enabled(window, "Frame1"), frame);
        QCOMPARE(enabled(window, "Check1_0"), frame);
        QCOMPARE(enabled(window, "Command1_1"), output);
        QCOMPARE(enabled(window, "txtOutputFile"), output);
        QCOMPARE(text(window, "txtOutputFile"), QStringLiteral("/data/out.txt"));
        // An unavailable frame keeps its boxes' ticks and takes no click.
        click(window, "Check1_0");
        QVERIFY(check(window, 0)->isChecked());
        QVERIFY(!check(window, 1)->isChecked());

        click(window, "Option1_0");
        for (const char* name : { "Frame1", "Check1_0", "Command1_1", "txtOutputFile" })
            QVERIFY2(enabled(window, name), name);
        click(window, "Check1_0");
        QVERIFY(!check(window, 0)->isChecked());
    }

    void fileButtonsFillOnAChoiceAndEnableViewAlways()
    {
        ScriptedPlatform platform;
        frmRetrieve window(platform);
        platform.answerFile("");
        click(window, "Command1_1");
        QCOMPARE(text(window, "txtOutputFile"), QString());
        QVERIFY(enabled(window, "Command2_2")); // also after a cancel
        QVERIFY(!enabled(window, "Command2_0"));

        platform.answerFile("/data/in box.mbx");
        platform.answerFile("/data/out.txt");
        platform.answerFile("");
        click(window, "Command1_0");
        click(window, "Command1_1");
        click(window, "Command1_0");
        QCOMPARE(text(window, "txtInputFile"), QStringLiteral("/data/in box.mbx"));
        QCOMPARE(text(window, "txtOutputFile"), QStringLiteral("/data/out.txt"));
        QVERIFY(enabled(window, "Command2_0"));
        QCOMPARE(platform.choosers().size(), 4);
        for (const auto& chooser : platform.choosers())
            QCOMPARE(chooser.dialogType, 1);
        QVERIFY(platform.boxes().isEmpty());
    }

    void startChecks_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("output");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("style");
        QTest::newRow("input empty") << 0 << ""
                                     << "out"
                                     << "Invalid path or filename for input file." << 0;
        QTest::newRow("input missing") << 1 << "missing"
                                       << "out"
                                       << "Invalid path or filename for input file." << 0;
        QTest::newRow("input is a folder") << 2 << "."
                                           << "out"
                                           << "Invalid path or filename for input file." << 0;
        QTest::newRow("count, input missing") << 4 << "missing"
                                              << ""
                                              << "Invalid path or filename for input file." << 0;
        for (int index : { 0, 1, 2, 3 })
            QTest::addRow("output empty, option %d", index) << index << "in"
                                                            << ""
                                                            << "Invalid path or filename for output file." << 0;
        QTest::newRow("output is the input") << 3 << "in"
                                             << "in"
                                             << "The output file is the same file as one of the input files:\r" << 48;
    }

    void startChecks()
    {
        QFETCH(int, index);
        QFETCH(QString, input);
        QFETCH(QString, output);
        QFETCH(QString, message);
        QFETCH(int, style);
        TempDir dir;
        dir.write("in", "a, b\r\n");
        auto resolve = [&](const QString& name) { return name.isEmpty() ? name : q(dir.file(name.toStdString())); };
        ScriptedPlatform platform;
        frmRetrieve window(platform);
        click(window, QStringLiteral("Option1_%1").arg(index));
        fill(window, "txtInputFile", resolve(input));
        fill(window, "txtOutputFile", resolve(output));
        click(window, "Command2_0");
        expectOneBox(platform, message.endsWith('\r') ? message + resolve(output) : message, style);
        QVERIFY(enabled(window, "Command2_0"));
        QVERIFY(platform.windowPointerChanges().isEmpty());
        QVERIFY(!QFile::exists(q(dir.file("out"))));
        QCOMPARE(readFile(dir.file("in")), "a, b\r\n");
    }

    void scansWriteTheFixtureBytes_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("from");
        QTest::addColumn<bool>("replyTo");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("caption");
        QTest::newRow("mail folder") << 0 << true << true << "folder.mbx"
                                     << "folder.mail.txt"
                                     << "8";
        QTest::newRow("mail, Reply-To unticked") << 0 << true << false << "folder.mbx"
                                                 << "folder.mail-no-reply-to.txt"
                                                 << "5";
        QTest::newRow("mail, From unticked") << 0 << false << true << "folder.mbx"
                                             << "folder.mail-no-from.txt"
                                             << "3";
        QTest::newRow("html") << 1 << true << true << "page.html"
                              << "page.html.txt"
                              << " 6 Addresses";
        QTest::newRow("bracket") << 2 << true << true << "folder.mbx"
                                 << "folder.bracket.txt"
                                 << " 4 Addresses";
        QTest::newRow("comma") << 3 << true << true << "contacts.csv"
                               << "contacts.comma.txt"
                               << " 9 Addresses";
        // The boxes are not read by the other scans.
        QTest::newRow("bracket, boxes unticked") << 2 << false << false << "folder.mbx"
                                                 << "folder.bracket.txt"
                                                 << " 4 Addresses";
    }

    void scansWriteTheFixtureBytes()
    {
        QFETCH(int, index);
        QFETCH(bool, from);
        QFETCH(bool, replyTo);
        QFETCH(QString, input);
        QFETCH(QString, expected);
        QFETCH(QString, caption);
        TempDir dir;
        const std::string output = dir.write("out.txt", std::string(4000, 'z'));
        ScriptedPlatform platform;
        frmRetrieve window(platform);
        check(window, 0)->setChecked(from);
        check(window, 1)->setChecked(replyTo);
        click(window, QStringLiteral("Option1_%1").arg(index));
        fill(window, "txtInputFile", fixture(input));
        fill(window, "txtOutputFile", q(output));
        panel(window, 0)->setCaption("from before");
        click(window, "Command2_0");

        expectOneBox(platform, "Retrieve Done !", 0);
        QCOMPARE(panel(window, 0)->caption(), caption);
        QCOMPARE(panel(window, 1)->percent(), 0.0);
        QCOMPARE(panel(window, 1)->caption(), QString());
        QCOMPARE(readFile(output), readFile(fixture(expected).toStdString()));
        QCOMPARE(platform.windowPointerChanges(), busyThenNormal(&window));
        QVERIFY(platform.pointerChanges().isEmpty());
        QVERIFY(!enabled(window, "Command2_0"));
        // The choice and the boxes stay for the next run; one typed character brings Start back.
        QVERIFY(option(window, index)->isChecked());
        QCOMPARE(check(window, 0)->isChecked(), from);
        QTest::keyClick(control<QLineEdit>(window, "txtInputFile"), Qt::Key_X);
        QVERIFY(enabled(window, "Command2_0"));
    }

    void emptyInputGivesZeroAndAnEmptyOutput_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("caption");
        QTest::newRow("mail") << 0 << "0";
        QTest::newRow("html") << 1 << " 0 Addresses";
        QTest::newRow("bracket") << 2 << " 0 Addresses";
        QTest::newRow("comma") << 3 << " 0 Addresses";
    }

    void emptyInputGivesZeroAndAnEmptyOutput()
    {
        QFETCH(int, index);
        QFETCH(QString, caption);
        TempDir dir;
        ScriptedPlatform platform;
        frmRetrieve window(platform);
        click(window, QStringLiteral("Option1_%1").arg(index));
        fill(window, "txtInputFile", q(dir.write("in.txt", "")));
        fill(window, "txtOutputFile", q(dir.write("out.txt", "old bytes")));
        click(window, "Command2_0");
        expectOneBox(platform, "Retrieve Done !", 0);
        QCOMPARE(panel(window, 0)->caption(), caption);
        QCOMPARE(panel(window, 1)->percentUpdates(), 1); // only the reset at the end
        QCOMPARE(readFile(dir.file("out.txt")), "");
    }

    void percentageFollowsEachScansRule()
    {
        TempDir dir;
        ScriptedPlatform platform;
        frmRetrieve window(platform);
        fill(window, "txtOutputFile", q(dir.file("out.txt")));

        // The mail scan sets it after every item: three items, then the reset.
        fill(window, "txtInputFile", q(dir.write("mail.mbx", "From: a\r\nb, c\r\n")));
        click(window, "Command2_0");
        QCOMPARE(panel(window, 1)->percentUpdates(), 3 + 1);

        // The comma scan every 1000 tokens: 2500 tokens move it twice.
        std::string tokens;
        for (int i = 0; i < 250; ++i)
            tokens += "a@x, b@x, c@x, d@x, e@x, f@x, g@x, h@x, i@x, j@x\r\n";
        click(window, "Option1_3");
        fill(window, "txtInputFile", q(dir.write("tokens.txt", tokens)));
        click(window, "Command2_0");
        QCOMPARE(panel(window, 0)->caption(), QStringLiteral(" 2500 Addresses"));
        QCOMPARE(panel(window, 1)->percentUpdates(), 4 + 2 + 1);
        QCOMPARE(panel(window, 1)->percent(), 0.0);

        // Counting never touches it.
        click(window, "Option1_4");
        fill(window, "txtInputFile", q(dir.write("list.txt", tokens)));
        click(window, "Command2_0");
        QCOMPARE(panel(window, 0)->caption(), QStringLiteral("Addresses:  2500"));
        QCOMPARE(panel(window, 1)->percentUpdates(), 4 + 3);
    }

    void countShowsItsCaptionAndWritesNothing()
    {
        TempDir dir;
        ScriptedPlatform platform;
        frmRetrieve window(platform);
        click(window, "Option1_4");
        fill(window, "txtInputFile", fixture("contacts.csv"));
        click(window, "Command2_0");
        expectOneBox(platform, "Count Address Done !", 0);
        QCOMPARE(panel(window, 0)->caption(), QStringLiteral("Addresses:  10"));
        QCOMPARE(platform.windowPointerChanges(), busyThenNormal(&window));
        QVERIFY(!enabled(window, "Command2_0"));

        // An output path, if filled in, is neither read nor written; the box is disabled anyway.
        platform.clearRecords();
        control<QLineEdit>(window, "txtOutputFile")->setText(q(dir.file("out.txt")));
        fill(window, "txtInputFile", q(dir.write("empty.txt", "")));
        click(window, "Command2_0");
        expectOneBox(platform, "Count Address Done !", 0);
        QCOMPARE(panel(window, 0)->caption(), QStringLiteral("Addresses:  0"));
        QVERIFY(!QFile::exists(q(dir.file("out.txt"))));
    }

    void runFailures_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("inputMissing");
        QTest::addColumn<QString>("caption"); // panel 0 after the failure; it showed "before"
        QTest::newRow("mail, output folder missing: caption kept") << 0 << false << "before";
        QTest::newRow("mail, input vanished: caption kept") << 0 << true << "before";
        QTest::newRow("html, output folder missing") << 1 << false << "";
        QTest::newRow("bracket, input vanished") << 2 << true << "";
        QTest::newRow("comma, output folder missing") << 3 << false << "";
        QTest::newRow("count, input vanished: caption kept") << 4 << true << "before";
    }

    void runFailures()
    {
        QFETCH(int, index);
        QFETCH(bool, inputMissing);
        QFETCH(QString, caption);
        TempDir dir;
        const QString input = inputMissing ? q(dir.file("vanished.txt")) : q(dir.write("in.txt", "From: a\r\n"));
        const QString output = inputMissing ? q(dir.file("out.txt")) : q(dir.file("no such folder/out.txt"));
        ScriptedPlatform platform;
        platform.setExisting(input, true); // the input goes between the check and the run
        frmRetrieve window(platform);
        click(window, QStringLiteral("Option1_%1").arg(index));
        fill(window, "txtInputFile", input);
        fill(window, "txtOutputFile", output);
        panel(window, 0)->setCaption("before");
        click(window, "Command2_0");
        expectOneBox(platform, (inputMissing ? input : output) + ": No such file or directory", 48);
        QCOMPARE(panel(window, 0)->caption(), caption);
        QCOMPARE(platform.windowPointerChanges(), busyThenNormal(&window));
        QVERIFY(!enabled(window, "Command2_0"));
        QVERIFY(!QFile::exists(q(dir.file("out.txt"))));
    }

    void viewOutputFile()
    {
        TempDir dir;
        const QString input = q(dir.write("in.txt", "a\r\n"));
        const QString output = q(dir.write("my out.txt", "b\r\n"));
        ScriptedPlatform platform;
        frmRetrieve window(platform);
        platform.answerFile("");
        click(window, "Command1_0"); // makes View available

        fill(window, "txtInputFile", input);
        click(window, "Command2_2");
        expectOneBox(platform, "Invalid path or filename for output file.", 0);
        QVERIFY(platform.openedDocuments().isEmpty());

        platform.clearRecords();
        fill(window, "txtOutputFile", output);
        click(window, "Command2_2");
        QCOMPARE(platform.openedDocuments(), QStringList({ output })); // blanks and all, as one path
        QVERIFY(platform.boxes().isEmpty());

        // Counting shows the input, but the test is still made on the output box.
        click(window, "Option1_4");
        click(window, "Command2_2");
        QCOMPARE(platform.openedDocuments(), QStringList({ output, input }));
        fill(window, "txtOutputFile", q(dir.file("missing.txt")));
        click(window, "Command2_2");
        expectOneBox(platform, "Invalid path or filename for output file.", 0);

        platform.clearRecords();
        fill(window, "txtOutputFile", output);
        platform.failNextStart("No application is registered for this file.");
        click(window, "Command2_2");
        expectOneBox(platform, "No application is registered for this file.", 48);
        QVERIFY(platform.started().isEmpty());
    }
};

QTEST_MAIN(TestFrmRetrieve)
#include "tst_frmRetrieve.moc"

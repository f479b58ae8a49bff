#include "WindowTest.h"

#include "platform/ScriptedPlatform.h"
#include "support/TempDir.h"
#include "tools/StatusPanel.h"
#include "tools/frmRemove.h"

#include <QtTest>

using namespace quillmark;
using namespace quillmark::test;

class TestFrmRemove : public QObject
{
    Q_OBJECT

private:
    static QString q(const std::string& path) { return QString::fromStdString(path); }
    static StatusPanel* panel(QWidget& window, int index)
    {
        return control<StatusPanel>(window, QStringLiteral("SSPanel1_%1").arg(index));
    }
    static QStringList captions(QWidget& window)
    {
        return { panel(window, 0)->caption(), panel(window, 1)->caption(), panel(window, 2)->caption() };
    }

private slots:
    void init() { failOnScriptWarnings(); }

    void designedControls()
    {
        ScriptedPlatform platform;
        frmRemove window(platform);
        QCOMPARE(window.windowTitle(), QStringLiteral("Remove Address"));
        QCOMPARE(window.size(), QSize(437, 181)); // 6555 x 2715 twips at 96 dpi
        const QStringList captions = { "&Address List File", "&Remove List File", "&New List File" };
        for (int i = 0; i < 3; ++i)
            QCOMPARE(control<QPushButton>(window, QStringLiteral("Command1_%1").arg(i))->text(), captions[i]);
        QCOMPARE(control<QPushButton>(window, "Command2_0")->text(), QStringLiteral("&Start"));
        QCOMPARE(control<QPushButton>(window, "Command2_1")->text(), QStringLiteral("&Close"));
        QCOMPARE(control<QPushButton>(window, "Command1_1")->geometry(), QRect(8, 50, 94, 20));
        QVERIFY(enabled(window, "Command2_0"));

        // Tab order: the three rows, then Start and Close.
        const QStringList order = { "Command1_0", "txtListFile_0", "Command1_1", "txtListFile_1", "Command1_2",
            "txtListFile_2", "Command2_0", "Command2_1" };
        for (int i = 0; i + 1 < order.size(); ++i)
            QCOMPARE(control<QWidget>(window, order[i])->nextInFocusChain()->objectName(), order[i + 1]);
    }

    void browseFillsOnlyOnAChoiceWithTheFourFilters()
    {
        ScriptedPlatform platform;
        frmRemove window(platform);
        platform.answerFile("/data/list.txt");
        platform.answerFile("");
        click(window, "Command1_0");
        click(window, "Command1_0");
        QCOMPARE(text(window, "txtListFile_0"), QStringLiteral("/data/list.txt"));
        QCOMPARE(platform.choosers().size(), 2);
        for (const auto& chooser : platform.choosers()) {
            QCOMPARE(chooser.filters,
                QStringList({ "All Files (*.*)|*.*", "Text files (*.txt)|*.txt", "Address File (*.adr)|*.adr",
                    "Newsgroup File (*.nsg)|*.nsg" }));
            QCOMPARE(chooser.filterIndex, 1);
            QCOMPARE(chooser.dialogType, 1);
        }
        QVERIFY(platform.boxes().isEmpty());
    }

    void checkMessages_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("removeList");
        QTest::addColumn<QString>("message");
        QTest::newRow("both empty") << "" << "" << "Invalid path or file name.";
        QTest::newRow("list missing") << "missing" << "remove" << "Invalid path or file name .";
        QTest::newRow("list missing, remove list empty") << "missing" << "" << "Invalid path or file name .";
        QTest::newRow("remove list empty") << "list" << "" << "Invalid path or file name.";
        QTest::newRow("remove list missing") << "list" << "missing" << "Invalid path or file name .";
        QTest::newRow("list is a folder") << "." << "remove" << "Invalid path or file name .";
    }

    void checkMessages()
    {
        QFETCH(QString, list);
        QFETCH(QString, removeList);
        QFETCH(QString, message);
        TempDir dir;
        dir.write("list", "a\r\n");
        dir.write("remove", "b\r\n");
        auto resolve = [&](const QString& name) { return name.isEmpty() ? name : q(dir.file(name.toStdString())); };
        ScriptedPlatform platform;
        frmRemove window(platform);
        fill(window, "txtListFile_0", resolve(list));
        fill(window, "txtListFile_1", resolve(removeList));
        fill(window, "txtListFile_2", q(dir.file("new")));
        click(window, "Command2_0");
        QCOMPARE(platform.boxes().size(), 1);
        QCOMPARE(platform.boxes()[0].text, message);
        QCOMPARE(platform.boxes()[0].style, 48);
        QCOMPARE(platform.boxes()[0].title, QStringLiteral("Remove File"));
        QVERIFY(enabled(window, "Command2_0"));
        QVERIFY(platform.pointerChanges().isEmpty());
        QVERIFY(!QFile::exists(q(dir.file("new"))));
    }

    void runShowsCountsTimeAndWritesTheNewList()
    {
        TempDir dir;
        const auto list = dir.write("list.txt", "a@x\r\nb@y, \"c@z\"\r\n\r\nB@Y\r\n");
        const auto removeList = dir.write("remove.txt", "xb@y\r\n");
        ScriptedPlatform platform;
        platform.setClock(QDateTime(QDate(2026, 3, 1), QTime(10, 0, 0)), 3725); // 1 h 2 min 5 s
        frmRemove window(platform);
        fill(window, "txtListFile_0", q(list));
        fill(window, "txtListFile_1", q(removeList));
        fill(window, "txtListFile_2", q(dir.file("new.txt")));
        click(window, "Command2_0");

        QVERIFY(platform.boxes().isEmpty());
        QCOMPARE(captions(window), QStringList({ "Removed:  1", "New Address:  3", "Time: 02:05" }));
        QCOMPARE(readFile(dir.file("new.txt")), "a@x\r\nc@z\r\nB@Y\r\n");
        QCOMPARE(panel(window, 2)->barStyle(), 0);
        QCOMPARE(panel(window, 2)->percent(), 0.0);
        QCOMPARE(platform.pointerChanges(), QList<bool>({ true, false }));
        QVERIFY(!enabled(window, "Command2_0"));
        QCOMPARE(readFile(list), "a@x\r\nb@y, \"c@z\"\r\n\r\nB@Y\r\n");
    }

    void emptyAddressListGivesZeroCountsAndNoPercentage()
    {
        TempDir dir;
        ScriptedPlatform platform;
        frmRemove window(platform);
        fill(window, "txtListFile_0", q(dir.write("list.txt", "")));
        fill(window, "txtListFile_1", q(dir.write("remove.txt", "a")));
        fill(window, "txtListFile_2", q(dir.write("new.txt", "old content that must go")));
        click(window, "Command2_0");
        QCOMPARE(captions(window), QStringList({ "Removed:  0", "New Address:  0", "Time: 00:00" }));
        QCOMPARE(panel(window, 2)->percentUpdates(), 1); // only the reset to 0 at the end
        QCOMPARE(readFile(dir.file("new.txt")), "");
    }

    void percentageMovesOnFirstItemAndEveryFiveHundredWritten()
    {
        TempDir dir;
        std::string list;
        for (int i = 0; i < 1200; ++i)
            list += "user" + std::to_string(i) + "@example.com\r\n";
        ScriptedPlatform platform;
        frmRemove window(platform);
        fill(window, "txtListFile_0", q(dir.write("list.txt", list)));
        fill(window, "txtListFile_1", q(dir.write("remove.txt", "")));
        fill(window, "txtListFile_2", q(dir.file("new.txt")));
        click(window, "Command2_0");
        QCOMPARE(panel(window, 2)->percentUpdates(), 3 + 1); // three during the run, the reset at the end
        QCOMPARE(panel(window, 1)->caption(), QStringLiteral("New Address:  1200"));
    }

    void startComesBackOnlyWhenAPathBoxChanges()
    {
        TempDir dir;
        ScriptedPlatform platform;
        frmRemove window(platform);
        fill(window, "txtListFile_0", q(dir.write("list.txt", "a\r\n")));
        fill(window, "txtListFile_1", q(dir.write("remove.txt", "")));
        fill(window, "txtListFile_2", q(dir.file("new.txt")));
        click(window, "Command2_0");
        QVERIFY(!enabled(window, "Command2_0"));
        platform.answerFile("");
        click(window, "Command1_2"); // a cancelled chooser changes nothing
        QVERIFY(!enabled(window, "Command2_0"));
        fill(window, "txtListFile_2", q(dir.file("other.txt")));
        QVERIFY(enabled(window, "Command2_0"));
    }

    void runFailureShowsTheErrorAndKeepsThePanels()
    {
        TempDir dir;
        ScriptedPlatform platform;
        frmRemove window(platform);
        fill(window, "txtListFile_0", q(dir.write("list.txt", "a\r\n")));
        fill(window, "txtListFile_1", q(dir.write("remove.txt", "")));
        fill(window, "txtListFile_2", "");
        click(window, "Command2_0");
        QCOMPARE(platform.boxes().size(), 1);
        QCOMPARE(platform.boxes()[0].text, QStringLiteral("(no file name): No such file or directory"));
        QCOMPARE(platform.boxes()[0].style, 48);
        QCOMPARE(platform.boxes()[0].title, QStringLiteral("Remove"));
        QCOMPARE(captions(window), QStringList({ "Removing .....", "", "" }));
        QCOMPARE(panel(window, 2)->barStyle(), 1);
        QCOMPARE(platform.pointerChanges(), QList<bool>({ true, false }));
        QVERIFY(!enabled(window, "Command2_0"));
    }

    void fullDiskFailsAfterWhatFitted()
    {
        TempDir dir;
        ScriptedPlatform platform;
        frmRemove window(platform);
        fill(window, "txtListFile_0", q(dir.write("list.txt", "a\r\n")));
        fill(window, "txtListFile_1", q(dir.write("remove.txt", "")));
        fill(window, "txtListFile_2", "/dev/full");
        click(window, "Command2_0");
        QCOMPARE(platform.boxes().size(), 1);
        QCOMPARE(platform.boxes()[0].text, QStringLiteral("/dev/full: No space left on device"));
        QCOMPARE(platform.boxes()[0].title, QStringLiteral("Remove"));
    }

    void inputThatVanishesAfterTheCheckFailsTheRun()
    {
        TempDir dir;
        const QString gone = q(dir.file("gone.txt"));
        ScriptedPlatform platform;
        platform.setExisting(gone, true); // the lookup still saw it
        frmRemove window(platform);
        fill(window, "txtListFile_0", gone);
        fill(window, "txtListFile_1", q(dir.write("remove.txt", "")));
        fill(window, "txtListFile_2", q(dir.file("new.txt")));
        click(window, "Command2_0");
        QCOMPARE(platform.boxes().size(), 1);
        QCOMPARE(platform.boxes()[0].text, gone + ": No such file or directory");
        QCOMPARE(platform.boxes()[0].title, QStringLiteral("Remove"));
        QCOMPARE(platform.pointerChanges(), QList<bool>({ true, false }));
    }

    void newListThatIsAnInputIsRefusedBeforeAnythingIsOpened()
    {
        TempDir dir;
        const auto list = dir.write("list.txt", "a\r\nb\r\n");
        ScriptedPlatform platform;
        frmRemove window(platform);
        fill(window, "txtListFile_0", q(list));
        fill(window, "txtListFile_1", q(dir.write("remove.txt", "")));
        fill(window, "txtListFile_2", q(list));
        click(window, "Command2_0");
        QCOMPARE(platform.boxes().size(), 1);
        QCOMPARE(platform.boxes()[0].text,
            "The output file is the same file as one of the input files:\r" + q(list));
        QCOMPARE(platform.boxes()[0].style, 48);
        QCOMPARE(platform.boxes()[0].title, QStringLiteral("Remove File"));
        QVERIFY(enabled(window, "Command2_0"));
        QCOMPARE(readFile(list), "a\r\nb\r\n");
    }
};

QTEST_MAIN(TestFrmRemove)
#include "tst_frmRemove.moc"

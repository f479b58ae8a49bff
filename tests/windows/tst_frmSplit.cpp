#include "WindowTest.h"

#include "platform/ScriptedPlatform.h"
#include "support/TempDir.h"
#include "tools/StatusPanel.h"
#include "tools/frmSplit.h"

#include <QDir>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QtTest>

#include <filesystem>
#include <unistd.h>

using namespace quillmark;
using namespace quillmark::test;

class TestFrmSplit : public QObject
{
    Q_OBJECT

private:
    static QString q(const std::string& path) { return QString::fromStdString(path); }
    static QString caption(QWidget& window, int index)
    {
        return control<StatusPanel>(window, QStringLiteral("SSPanel1_%1").arg(index))->caption();
    }
    static QStringList entries(QWidget& window)
    {
        QStringList texts;
        auto* list = control<QListWidget>(window, "lstSplitFiles");
        for (int i = 0; i < list->count(); ++i)
            texts << list->item(i)->text();
        return texts;
    }
    static QString nextTabStop(QWidget& window, const QString& name)
    {
        QWidget* next = control<QWidget>(window, name)->nextInFocusChain();
        while (!(next->focusPolicy() & Qt::TabFocus))
            next = next->nextInFocusChain();
        return next->objectName();
    }
    static std::string items(int from, int to)
    {
        std::string text;
        for (int i = from; i <= to; ++i)
            text += "u" + std::to_string(i) + "@x.com\r\n";
        return text;
    }
    static QStringList filesIn(const TempDir& dir) { return QDir(q(dir.path())).entryList(QDir::Files, QDir::Name); }

private slots:
    void init() { failOnScriptWarnings(); }

    void designedControls()
    {
        ScriptedPlatform platform;
        frmSplit window(platform);
        QCOMPARE(window.windowTitle(), QStringLiteral("Split Address List"));
        QCOMPARE(window.size(), QSize(455, 324)); // 6825 x 4860 twips at 96 dpi
        const QStringList labels
            = { "File to be splited:", "Number Per File:", "Base Split File Name:", "Example:: ", "spliter1.txt",
                  "spliter2.txt", "spliter3.txt" };
        for (int i = 0; i < labels.size(); ++i)
            QCOMPARE(control<QLabel>(window, QStringLiteral("Label1_%1").arg(i))->text(), labels[i]);
        QCOMPARE(control<QLabel>(window, "Label2")->text(), QStringLiteral("Split Output Files:"));
        auto* frame = control<QGroupBox>(window, "SSFrame1");
        QCOMPARE(frame->title(), QStringLiteral("Setting"));
        QCOMPARE(control<QLineEdit>(window, "txtNumber")->parentWidget(), frame);
        QCOMPARE(control<QLineEdit>(window, "txtNumber")->geometry(), QRect(125, 19, 106, 19));
        QCOMPARE(text(window, "txtNumber"), QStringLiteral("10000"));
        QCOMPARE(text(window, "txtFileName"), QStringLiteral("Spliter"));
        QCOMPARE(text(window, "txtInputFile"), QString());
        const QStringList buttons = { "Command1_0", "Command1_1", "Command1_2" };
        const QStringList texts = { "&Browse", "&Start", "&Close" };
        for (int i = 0; i < buttons.size(); ++i)
            QCOMPARE(control<QPushButton>(window, buttons[i])->text(), texts[i]);
        QCOMPARE(control<QPushButton>(window, "Command1_1")->geometry(), QRect(384, 148, 65, 21));
        QCOMPARE(control<StatusPanel>(window, "SSPanel1_0")->geometry(), QRect(3, 306, 305, 17));
        QVERIFY(enabled(window, "Command1_1"));
        QCOMPARE(entries(window), QStringList());

        // Every caption shows whole in the face at hand.
        for (QLabel* label : window.findChildren<QLabel*>())
            QVERIFY2(QFontMetrics(label->font()).horizontalAdvance(label->text()) <= label->width(),
                qPrintable(label->objectName()));

        const QStringList order
            = { "txtInputFile", "lstSplitFiles", "Command1_0", "Command1_1", "Command1_2", "txtNumber", "txtFileName" };
        for (int i = 0; i + 1 < order.size(); ++i)
            QCOMPARE(nextTabStop(window, order[i]), order[i + 1]);
    }

    // The sorted list box orders the entries by their text: file 10 before file 2, the short last file by its
    // count.
    void runListsTheFilesInSortedOrder_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("limit");
        QTest::addColumn<QStringList>("expected"); // "count:file number"
        QTest::newRow("10 by 4") << 10 << "4" << QStringList({ "2:3", "4:1", "4:2" });
        QTest::newRow("8 by 4") << 8 << "4" << QStringList({ "4:1", "4:2" });
        QTest::newRow("12 by 1") << 12 << "1"
                                 << QStringList({ "1:1", "1:10", "1:11", "1:12", "1:2", "1:3", "1:4", "1:5", "1:6",
                                        "1:7", "1:8", "1:9" });
        QTest::newRow("21 by 2") << 21 << " +2 "
                                 << QStringList({ "1:11", "2:1", "2:10", "2:2", "2:3", "2:4", "2:5", "2:6", "2:7",
                                        "2:8", "2:9" });
        QTest::newRow("limit 0: all in file 1") << 5 << "0" << QStringList({ "5:1" });
        QTest::newRow("empty input: no file") << 0 << "4" << QStringList();
    }

    void runListsTheFilesInSortedOrder()
    {
        QFETCH(int, count);
        QFETCH(QString, limit);
        QFETCH(QStringList, expected);
        TempDir program;
        TempDir lists;
        const auto input = lists.write("list.txt", items(1, count));
        ScriptedPlatform platform;
        platform.setProgramFolder(q(program.path()));
        platform.setClock(QDateTime(QDate(2026, 3, 1), QTime(10, 0, 0)), 3725); // 1 h 2 min 5 s
        frmSplit window(platform);
        fill(window, "txtInputFile", q(input));
        fill(window, "txtNumber", limit);
        click(window, "Command1_1");

        QVERIFY(platform.boxes().isEmpty());
        QStringList wanted;
        for (const QString& entry : expected) {
            const QStringList parts = entry.split(':');
            wanted << parts[0] + " addresses to " + q(program.path()) + "/Spliter" + parts[1] + ".txt";
        }
        QCOMPARE(entries(window), wanted);
        QCOMPARE(filesIn(program).size(), expected.size());
        std::string joined;
        for (int i = 1; i <= expected.size(); ++i)
            joined += readFile(program.file("Spliter" + std::to_string(i) + ".txt"));
        QCOMPARE(joined, items(1, count));
        QCOMPARE(caption(window, 0), QStringLiteral("Extract file done. Time: 02:05"));
        QCOMPARE(caption(window, 1), QString());
        QCOMPARE(platform.pointerChanges(), QList<bool>({ true, false }));
        QVERIFY(!enabled(window, "Command1_1"));
        QCOMPARE(readFile(input), items(1, count));
    }

    void blankLinesCommasAndAnEmptyBaseName()
    {
        TempDir program;
        TempDir lists;
        ScriptedPlatform platform;
        platform.setProgramFolder(q(program.path()));
        frmSplit window(platform);
        fill(window, "txtInputFile", q(lists.write("list.adr", "a, \"b\"\r\n\r\nc")));
        fill(window, "txtNumber", "3");
        fill(window, "txtFileName", "");
        click(window, "Command1_1");
        QCOMPARE(entries(window),
            QStringList(
                { "1 addresses to " + q(program.file("2.txt")), "3 addresses to " + q(program.file("1.txt")) }));
        QCOMPARE(readFile(program.file("1.txt")), "a\r\nb\r\n\r\n");
        QCOMPARE(readFile(program.file("2.txt")), "c\r\n");
    }

    // An installed program cannot write beside itself: the files go to the documents folder.
    void documentsFolderWhenTheProgramsFolderIsNotWritable()
    {
        TempDir documents;
        TempDir lists;
        ScriptedPlatform platform;
        platform.setProgramFolder(q(lists.path()) + "/no such folder");
        platform.setDocumentsFolder(q(documents.path()));
        frmSplit window(platform);
        QCOMPARE(window.outputFolder(), q(documents.path()));
        fill(window, "txtInputFile", q(lists.write("list.txt", items(1, 3))));
        click(window, "Command1_1");
        QCOMPARE(entries(window), QStringList({ "3 addresses to " + q(documents.file("Spliter1.txt")) }));
        QCOMPARE(readFile(documents.file("Spliter1.txt")), items(1, 3));

        if (::geteuid() != 0) { // permissions do not bind the superuser
            TempDir readOnly;
            std::filesystem::permissions(
                readOnly.path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
            platform.setProgramFolder(q(readOnly.path()));
            QCOMPARE(window.outputFolder(), q(documents.path()));
            std::filesystem::permissions(readOnly.path(), std::filesystem::perms::owner_all);
        }
        platform.setProgramFolder(q(lists.path()));
        QCOMPARE(window.outputFolder(), q(lists.path()));
    }

    void numberThatIsNoWholeNumberFailsAndKeepsTheList_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("message");
        QTest::newRow("text") << "ten"
                              << "Number Per File must be a whole number, not \"ten\".";
        QTest::newRow("fraction") << "2.5"
                                  << "Number Per File must be a whole number, not \"2.5\".";
        QTest::newRow("empty") << ""
                               << "Number Per File must be a whole number, not \"\".";
        QTest::newRow("beyond 32 bits") << "2147483648"
                                        << "Number Per File is out of range: \"2147483648\".";
    }

    void numberThatIsNoWholeNumberFailsAndKeepsTheList()
    {
        QFETCH(QString, number);
        QFETCH(QString, message);
        TempDir program;
        TempDir lists;
        ScriptedPlatform platform;
        platform.setProgramFolder(q(program.path()));
        platform.setClock(QDateTime(QDate(2026, 3, 1), QTime(10, 0, 0)), 1);
        frmSplit window(platform);
        fill(window, "txtInputFile", q(lists.write("list.txt", items(1, 3))));
        fill(window, "txtNumber", "2");
        click(window, "Command1_1");
        const QStringList before = entries(window);
        QCOMPARE(before.size(), 2);
        QVERIFY(QFile::exists(q(program.file("Spliter2.txt"))));
        std::filesystem::remove(program.file("Spliter1.txt"));
        std::filesystem::remove(program.file("Spliter2.txt"));

        fill(window, "txtNumber", number); // brings Start back
        QVERIFY(enabled(window, "Command1_1"));
        click(window, "Command1_1");
        QCOMPARE(platform.boxes().size(), 1);
        QCOMPARE(platform.boxes()[0].text, message);
        QCOMPARE(platform.boxes()[0].style, 48);
        QCOMPARE(platform.boxes()[0].title, QStringLiteral("Extract File"));
        QCOMPARE(entries(window), before);
        QCOMPARE(filesIn(program), QStringList());
        QCOMPARE(caption(window, 0), QStringLiteral("Reading address list files ....."));
        QCOMPARE(platform.pointerChanges(), QList<bool>({ true, false, true, false }));
        QVERIFY(!enabled(window, "Command1_1"));
    }

    void pathCheck_data()
    {
        QTest::addColumn<QString>("input");
        QTest::newRow("missing") << "@missing.txt";
        QTest::newRow("a folder") << "@";
        QTest::newRow("empty box") << "";
    }

    void pathCheck()
    {
        QFETCH(QString, input);
        TempDir program;
        ScriptedPlatform platform;
        platform.setProgramFolder(q(program.path()));
        frmSplit window(platform);
        const QString path = QString(input).replace("@", q(program.path()) + "/");
        fill(window, "txtInputFile", path);
        click(window, "Command1_1");
        QCOMPARE(platform.boxes().size(), 1);
        QCOMPARE(platform.boxes()[0].text, "Invalid path or file name for: \r" + path);
        QCOMPARE(platform.boxes()[0].style, 48);
        QCOMPARE(platform.boxes()[0].title, QStringLiteral("Remove File"));
        QVERIFY(enabled(window, "Command1_1"));
        QVERIFY(platform.pointerChanges().isEmpty());
        QCOMPARE(caption(window, 0), QString());
    }

    // Creating Spliter2.txt anew would cut short the very file being read.
    void inputThatTheRunCouldWriteIsRefused()
    {
        TempDir program;
        const auto input = program.write("Spliter2.txt", items(1, 30));
        ScriptedPlatform platform;
        platform.setProgramFolder(q(program.path()));
        frmSplit window(platform);
        fill(window, "txtInputFile", q(input));
        fill(window, "txtNumber", "10");
        click(window, "Command1_1");
        QCOMPARE(platform.boxes().size(), 1);
        QCOMPARE(platform.boxes()[0].text, "The output file is the same file as one of the input files:\r" + q(input));
        QCOMPARE(platform.boxes()[0].style, 48);
        QCOMPARE(platform.boxes()[0].title, QStringLiteral("Remove File"));
        QVERIFY(enabled(window, "Command1_1"));
        QCOMPARE(filesIn(program), QStringList({ "Spliter2.txt" }));
        QCOMPARE(readFile(input), items(1, 30));

        fill(window, "txtFileName", "part"); // another base name writes other files
        click(window, "Command1_1");
        QCOMPARE(platform.boxes().size(), 1);
        QCOMPARE(entries(window).size(), 3);
        QCOMPARE(readFile(input), items(1, 30));
    }

    void startComesBackThroughBrowseAndTheSettings()
    {
        TempDir program;
        TempDir lists;
        ScriptedPlatform platform;
        platform.setProgramFolder(q(program.path()));
        frmSplit window(platform);
        fill(window, "txtInputFile", q(lists.write("list.txt", items(1, 3))));
        const auto runOnce = [&] {
            click(window, "Command1_1");
            QVERIFY(!enabled(window, "Command1_1"));
        };
        runOnce();
        fill(window, "txtInputFile", q(lists.write("other.txt", items(1, 3))));
        QVERIFY(!enabled(window, "Command1_1"));
        fill(window, "txtNumber", "2");
        QVERIFY(enabled(window, "Command1_1"));
        runOnce();
        fill(window, "txtFileName", "x");
        QVERIFY(enabled(window, "Command1_1"));
        runOnce();
        platform.answerFile("");
        click(window, "Command1_0");
        QCOMPARE(text(window, "txtInputFile"), QString());
        QVERIFY(enabled(window, "Command1_1"));
        QCOMPARE(platform.choosers().size(), 1);
        QCOMPARE(platform.choosers()[0].dialogType, 1);
        QVERIFY(platform.boxes().isEmpty());
    }

    void runFailureKeepsTheFilesFinishedSoFar()
    {
        TempDir program;
        TempDir lists;
        std::filesystem::create_directory(program.file("Spliter3.txt"));
        ScriptedPlatform platform;
        platform.setProgramFolder(q(program.path()));
        frmSplit window(platform);
        fill(window, "txtInputFile", q(lists.write("list.txt", items(1, 7))));
        fill(window, "txtNumber", "2");
        click(window, "Command1_1");
        QCOMPARE(platform.boxes().size(), 1);
        QCOMPARE(platform.boxes()[0].text, q(program.file("Spliter3.txt")) + ": Is a directory");
        QCOMPARE(platform.boxes()[0].style, 48);
        QCOMPARE(platform.boxes()[0].title, QStringLiteral("Extract File"));
        QCOMPARE(entries(window),
            QStringList({ "2 addresses to " + q(program.file("Spliter1.txt")),
                "2 addresses to " + q(program.file("Spliter2.txt")) }));
        QCOMPARE(caption(window, 0), QStringLiteral("Reading address list files ....."));
        QCOMPARE(platform.pointerChanges(), QList<bool>({ true, false }));
        QVERIFY(!enabled(window, "Command1_1"));

        platform.clearRecords();
        fill(window, "txtFileName", "../escape"); // a base name may not leave the folder
        click(window, "Command1_1");
        QCOMPARE(platform.boxes().size(), 1);
        QCOMPARE(platform.boxes()[0].text, q(program.path()) + "/../escape1.txt: Invalid argument");
        QCOMPARE(entries(window), QStringList());
    }
};

QTEST_MAIN(TestFrmSplit)
#include "tst_frmSplit.moc"

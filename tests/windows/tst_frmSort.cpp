#include "WindowTest.h"

#include "platform/ScriptedPlatform.h"
#include "support/TempDir.h"
#include "tools/StatusPanel.h"
#include "tools/frmSort.h"

#include <QDir>
#include <QLabel>
#include <QtTest>

#include <filesystem>

using namespace quillmark;
using namespace quillmark::test;

class TestFrmSort : public QObject
{
    Q_OBJECT

private:
    static QString q(const std::string& path) { return QString::fromStdString(path); }
    static StatusPanel* panel(QWidget& window, int index)
    {
        return control<StatusPanel>(window, QStringLiteral("SSPanel1_%1").arg(index));
    }
    static QListWidget* list(QWidget& window) { return control<QListWidget>(window, "lstSortFiles"); }
    static void addFiles(frmSort& window, ScriptedPlatform& platform, const QStringList& paths)
    {
        for (const QString& path : paths) {
            platform.answerFile(path);
            click(window, "Command1_1");
        }
    }
    static bool exists(const std::string& path) { return std::filesystem::exists(path); }

    QString m_startDirectory;

private slots:
    void init()
    {
        failOnScriptWarnings();
        m_startDirectory = QDir::currentPath();
    }
    // A run moves the working directory; every test starts from the same one.
    void cleanup() { QDir::setCurrent(m_startDirectory); }

    void designedControls()
    {
        ScriptedPlatform platform;
        frmSort window(platform);
        QCOMPARE(window.windowTitle(), QStringLiteral("Sort and De-duplicate Addresses"));
        QCOMPARE(window.size(), QSize(446, 245)); // 6690 x 3675 twips at 96 dpi
        QCOMPARE(control<QLabel>(window, "Label1")->text(), QStringLiteral("Output sort file to:"));
        QCOMPARE(control<QLabel>(window, "Label2")->text(), QStringLiteral("Files to sort and De-duplicate"));
        const QStringList captions = { "&Browse", "&Add", "&Remove" };
        for (int i = 0; i < 3; ++i)
            QCOMPARE(control<QPushButton>(window, QStringLiteral("Command1_%1").arg(i))->text(), captions[i]);
        QCOMPARE(control<QPushButton>(window, "Command2_0")->text(), QStringLiteral("&Start"));
        QCOMPARE(control<QPushButton>(window, "Command2_1")->text(), QStringLiteral("&Close"));
        QCOMPARE(control<QListWidget>(window, "lstSortFiles")->geometry(), QRect(4, 68, 365, 147));
        QCOMPARE(panel(window, 1)->geometry(), QRect(196, 228, 249, 16));
        QVERIFY(enabled(window, "Command2_0"));
        QVERIFY(!enabled(window, "Command1_2"));
        QVERIFY(!list(window)->isSortingEnabled());
        QCOMPARE(control<QLabel>(window, "Label1")->focusPolicy(), Qt::NoFocus);
        for (const char* name : { "Label1", "Label2" }) {
            // A label narrower than its caption cuts the caption off.
            auto* label = control<QLabel>(window, name);
            QVERIFY(label->width() >= label->sizeHint().width());
            QCOMPARE(label->pos(), name == QStringLiteral("Label1") ? QPoint(4, 8) : QPoint(4, 52));
        }
        QCOMPARE(panel(window, 0)->focusPolicy(), Qt::NoFocus);

        const QStringList order = { "Label1", "txtSortFile", "lstSortFiles", "Label2", "Command1_0", "Command1_1",
            "Command1_2", "Command2_0", "Command2_1", "SSPanel1_0", "SSPanel1_1" };
        for (int i = 0; i + 1 < order.size(); ++i) {
            // The list box's own viewport follows it in the chain; the next control of the window is what counts.
            QWidget* next = control<QWidget>(window, order[i])->nextInFocusChain();
            while (next->parentWidget() != &window)
                next = next->nextInFocusChain();
            QCOMPARE(next->objectName(), order[i + 1]);
        }
    }

    void listButtonsKeepTheOrderAddedAndDuplicates()
    {
        ScriptedPlatform platform;
        frmSort window(platform);
        addFiles(window, platform, { "/data/b.txt", "", "/data/a.txt", "/data/b.txt" });
        QCOMPARE(list(window)->count(), 3);
        QCOMPARE(list(window)->item(0)->text(), QStringLiteral("/data/b.txt"));
        QCOMPARE(list(window)->item(2)->text(), QStringLiteral("/data/b.txt"));
        QVERIFY(enabled(window, "Command1_2"));

        // Remove takes the selected entry and disables itself; a click on an entry enables it again.
        list(window)->setCurrentRow(1);
        click(window, "Command1_2");
        QCOMPARE(list(window)->count(), 2);
        QCOMPARE(list(window)->item(1)->text(), QStringLiteral("/data/b.txt"));
        QVERIFY(!enabled(window, "Command1_2"));
        QListWidget* box = list(window);
        QTest::mouseClick(box->viewport(), Qt::LeftButton, {}, box->visualItemRect(box->item(0)).center());
        QVERIFY(enabled(window, "Command1_2"));

        // Browse fills the box even with a cancel, which empties it.
        platform.answerFile("/data/out.txt");
        click(window, "Command1_0");
        QCOMPARE(text(window, "txtSortFile"), QStringLiteral("/data/out.txt"));
        platform.answerFile("");
        click(window, "Command1_0");
        QCOMPARE(text(window, "txtSortFile"), QString());
        QCOMPARE(platform.choosers().size(), 6);
        for (const auto& chooser : platform.choosers())
            QCOMPARE(chooser.dialogType, 1);
    }

    void checkMessages_data()
    {
        QTest::addColumn<QString>("output");
        QTest::addColumn<QStringList>("inputs");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("style");
        QTest::newRow("missing output folder")
            << "@/no/out.txt" << QStringList { "@/a.txt" } << "Invalid path for: @/no/out.txt" << 48;
        QTest::newRow("missing folder before empty list")
            << "@/no/out.txt" << QStringList {} << "Invalid path for: @/no/out.txt" << 48;
        QTest::newRow("empty list") << "@/out.txt" << QStringList {} << "You must add the files you want to sort." << 0;
        QTest::newRow("second input missing")
            << "@/out.txt" << QStringList { "@/a.txt", "@/b.txt" } << "Invalid path or file name for: \r@/b.txt" << 48;
        QTest::newRow("folder as input") << "@/out.txt" << QStringList { "@" } << "Invalid path or file name for: \r@"
                                         << 48;
        QTest::newRow("output is an input")
            << "@/a.txt" << QStringList { "@/a.txt" }
            << "The output file is the same file as one of the input files:\r@/a.txt" << 48;
        QTest::newRow("work file as input")
            << "@/out.txt" << QStringList { "@/merglist.tmp" }
            << "A work file of the sort is one of the files to sort:\r@/merglist.tmp" << 48;
        QTest::newRow("output is a work file")
            << "@/merglist.tmp" << QStringList { "@/a.txt" }
            << "The output file cannot be a work file of the sort:\r@/merglist.tmp" << 48;
    }

    void checkMessages()
    {
        QFETCH(QString, output);
        QFETCH(QStringList, inputs);
        QFETCH(QString, message);
        QFETCH(int, style);
        TempDir dir;
        dir.write("a.txt", "a\r\n");
        dir.write("merglist.tmp", "old\r\n");
        const QString root = q(dir.path());
        ScriptedPlatform platform;
        frmSort window(platform);
        fill(window, "txtSortFile", QString(output).replace('@', root));
        for (QString input : inputs)
            list(window)->addItem(input.replace('@', root));
        click(window, "Command2_0");
        QCOMPARE(platform.boxes().size(), 1);
        QCOMPARE(platform.boxes()[0].text, message.replace('@', root));
        QCOMPARE(platform.boxes()[0].style, style);
        QCOMPARE(platform.boxes()[0].title, QStringLiteral("Sorting"));
        QVERIFY(enabled(window, "Command2_0"));
        QVERIFY(platform.pointerChanges().isEmpty());
        QCOMPARE(QDir::currentPath(), m_startDirectory);
        QVERIFY(platform.state().sMergeListPath.isEmpty());
        QCOMPARE(readFile(dir.file("merglist.tmp")), "old\r\n");
        QVERIFY(!exists(dir.file("out.txt")));
    }

    void runJoinsSortsAndReportsOnlyAfterTheSorter_data()
    {
        QTest::addColumn<qulonglong>("budget");
        QTest::newRow("in memory") << qulonglong(0);
        QTest::newRow("spilled runs") << qulonglong(64);
    }

    void runJoinsSortsAndReportsOnlyAfterTheSorter()
    {
        QFETCH(qulonglong, budget);
        TempDir dir;
        std::filesystem::create_directory(dir.file("out"));
        // The first file's last line has no line end and joins the second file's first line.
        const auto first = dir.write("first.txt", "b@x\r\n\r\na@x\nc@x");
        const auto second = dir.write("second.txt", "d@x\rb@x\r\nb@x\r\n");
        ScriptedPlatform platform;
        platform.setClock(QDateTime(QDate(2026, 3, 1), QTime(10, 0, 0)), 3725); // 1 h 2 min 5 s
        frmSort window(platform);
        window.setMemoryBudget(budget);
        fill(window, "txtSortFile", q(dir.file("out/sorted.txt")));
        addFiles(window, platform, { q(first), q(second) });
        click(window, "Command2_0");

        QVERIFY(platform.boxes().isEmpty());
        QCOMPARE(panel(window, 0)->caption(), QStringLiteral("Sort file done. Time: 02:05"));
        QCOMPARE(panel(window, 1)->caption(), QString());
        QCOMPARE(panel(window, 0)->barStyle(), 0);
        QCOMPARE(readFile(dir.file("out/merglist.tmp")), readFile(first) + readFile(second));
        QCOMPARE(readFile(dir.file("out/sorted.txt")), "a@x\r\nb@x\r\nc@xd@x\r\n");
        QCOMPARE(readFile(dir.file("out/duplist.tmp")), "b@x\r\nb@x\r\n");
        QCOMPARE(window.sSortFileName, QStringLiteral("sorted.txt"));
        QCOMPARE(platform.state().sMergeListPath, q(dir.file("out/merglist.tmp")));
        QCOMPARE(platform.state().sDupListPath, q(dir.file("out/duplist.tmp")));
        QCOMPARE(QDir::currentPath(), q(dir.file("out")));
        QCOMPARE(platform.pointerChanges(), QList<bool>({ true, false }));
        QVERIFY(!enabled(window, "Command2_0"));
        QCOMPARE(readFile(first), "b@x\r\n\r\na@x\nc@x");
        QVERIFY(std::distance(std::filesystem::directory_iterator(dir.file("out")),
                    std::filesystem::directory_iterator())
            == 3); // no run files left behind
    }

    void outputWithoutFolderSortsIntoTheWorkingDirectory()
    {
        TempDir dir;
        const auto a = dir.write("a.txt", "b\r\na\r\n");
        QDir::setCurrent(q(dir.path()));
        ScriptedPlatform platform;
        frmSort window(platform);
        fill(window, "txtSortFile", "sorted.txt");
        addFiles(window, platform, { q(a) });
        click(window, "Command2_0");
        QVERIFY(platform.boxes().isEmpty());
        QCOMPARE(readFile(dir.file("sorted.txt")), "a\r\nb\r\n");
        QCOMPARE(platform.state().sMergeListPath, q(dir.file("merglist.tmp")));
    }

    void secondRunInAnotherFolderTakesOverTheWorkFiles()
    {
        TempDir first, second;
        const auto a = first.write("a.txt", "a\r\n");
        ScriptedPlatform platform;
        frmSort window(platform);
        addFiles(window, platform, { q(a) });
        fill(window, "txtSortFile", q(first.file("out.txt")));
        click(window, "Command2_0");
        // Typing does not enable Start again; Browse does, even when cancelled.
        fill(window, "txtSortFile", q(second.file("out.txt")));
        QVERIFY(!enabled(window, "Command2_0"));
        click(window, "Command2_0");
        QCOMPARE(platform.state().sMergeListPath, q(first.file("merglist.tmp")));
        platform.answerFile(q(second.file("out.txt")));
        click(window, "Command1_0");
        QVERIFY(enabled(window, "Command2_0"));
        click(window, "Command2_0");
        QVERIFY(platform.boxes().isEmpty());
        QCOMPARE(platform.state().sMergeListPath, q(second.file("merglist.tmp")));
        QCOMPARE(platform.state().sDupListPath, q(second.file("duplist.tmp")));
        QVERIFY(exists(first.file("merglist.tmp"))); // an earlier run's work files stay
        QCOMPARE(readFile(second.file("out.txt")), "a\r\n");
    }

    void addAndRemoveEnableStartAfterARun_data()
    {
        QTest::addColumn<QString>("button");
        QTest::newRow("Add") << "Command1_1";
        QTest::newRow("Remove") << "Command1_2";
    }

    void addAndRemoveEnableStartAfterARun()
    {
        QFETCH(QString, button);
        TempDir dir;
        ScriptedPlatform platform;
        frmSort window(platform);
        addFiles(window, platform, { q(dir.write("a.txt", "a\r\n")) });
        fill(window, "txtSortFile", q(dir.file("out.txt")));
        click(window, "Command2_0");
        QVERIFY(!enabled(window, "Command2_0"));
        if (button == "Command1_1")
            platform.answerFile("");
        else
            list(window)->setCurrentRow(0);
        click(window, button);
        QVERIFY(enabled(window, "Command2_0"));
    }

    void failuresGoToTheSortFileBoxAndNeverReportDone_data()
    {
        QTest::addColumn<QString>("output");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("caption");
        QTest::newRow("input gone after the check") << "@/out.txt"
                                                    << "@/gone.txt"
                                                    << "@/gone.txt: No such file or directory"
                                                    << "Reading address list files .....";
        QTest::newRow("empty output name") << "@/"
                                           << "@/a.txt"
                                           << "@/: Is a directory"
                                           << "writing sort file .....";
        QTest::newRow("output is a folder") << "@/sub"
                                            << "@/a.txt"
                                            << "@/sub: Is a directory"
                                            << "writing sort file .....";
    }

    void failuresGoToTheSortFileBoxAndNeverReportDone()
    {
        QFETCH(QString, output);
        QFETCH(QString, input);
        QFETCH(QString, message);
        QFETCH(QString, caption);
        TempDir dir;
        dir.write("a.txt", "a\r\n");
        std::filesystem::create_directory(dir.file("sub"));
        const QString root = q(dir.path());
        ScriptedPlatform platform;
        platform.setExisting(root + "/gone.txt", true); // it passes the check, then it is not there
        frmSort window(platform);
        fill(window, "txtSortFile", output.replace('@', root));
        list(window)->addItem(input.replace('@', root));
        click(window, "Command2_0");
        QCOMPARE(platform.boxes().size(), 1);
        QCOMPARE(platform.boxes()[0].text, message.replace('@', root));
        QCOMPARE(platform.boxes()[0].style, 48);
        QCOMPARE(platform.boxes()[0].title, QStringLiteral("Sort File"));
        QCOMPARE(panel(window, 0)->caption(), caption);
        QCOMPARE(platform.pointerChanges(), QList<bool>({ true, false }));
        QVERIFY(!enabled(window, "Command2_0"));
    }

    void folderGoneBeforeSetTempFilesShowsTheSystemText()
    {
        TempDir dir;
        std::filesystem::create_directory(dir.file("sub"));
        ScriptedPlatform platform;
        frmSort window(platform);
        fill(window, "txtSortFile", q(dir.file("sub/out.txt")));
        std::filesystem::remove(dir.file("sub"));
        QVERIFY(!window.setTempFiles());
        QCOMPARE(platform.boxes().size(), 1);
        QCOMPARE(platform.boxes()[0].title, QStringLiteral("Sort File"));
        QCOMPARE(platform.boxes()[0].style, 48);
        QVERIFY(platform.boxes()[0].text.contains(q(dir.file("sub/"))));
        QVERIFY(platform.state().sMergeListPath.isEmpty());
        QCOMPARE(QDir::currentPath(), m_startDirectory);
    }
};

QTEST_MAIN(TestFrmSort)
#include "tst_frmSort.moc"

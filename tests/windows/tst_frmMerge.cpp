#include "WindowTest.h"

#include "platform/ScriptedPlatform.h"
#include "support/TempDir.h"
#include "tools/StatusPanel.h"
#include "tools/frmMerge.h"

#include <QFontMetrics>
#include <QLabel>
#include <QtTest>

using namespace quillmark;
using namespace quillmark::test;

class TestFrmMerge : public QObject
{
    Q_OBJECT

private:
    static QString q(const std::string& path) { return QString::fromStdString(path); }
    static QString caption(QWidget& window) { return control<StatusPanel>(window, "SSPanel1")->caption(); }
    static QStringList entries(QWidget& window)
    {
        QStringList texts;
        auto* list = control<QListWidget>(window, "lstMergeFiles");
        for (int i = 0; i < list->count(); ++i)
            texts << list->item(i)->text();
        return texts;
    }
    static void clickEntry(QWidget& window, int row)
    {
        auto* list = control<QListWidget>(window, "lstMergeFiles");
        window.show();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
    }
    // The next control that Tab reaches (labels and panels take no focus).
    static QString nextTabStop(QWidget& window, const QString& name)
    {
        QWidget* next = control<QWidget>(window, name)->nextInFocusChain();
        while (!(next->focusPolicy() & Qt::TabFocus))
            next = next->nextInFocusChain();
        return next->objectName();
    }
    static void add(ScriptedPlatform& platform, QWidget& window, const QString& path)
    {
        platform.answerFile(path);
        click(window, "Command1_1");
    }

private slots:
    void init() { failOnScriptWarnings(); }

    void designedControls()
    {
        ScriptedPlatform platform;
        frmMerge window(platform);
        QCOMPARE(window.windowTitle(), QStringLiteral("Merge Address"));
        QCOMPARE(window.size(), QSize(441, 279)); // 6615 x 4185 twips at 96 dpi
        QCOMPARE(control<QLabel>(window, "Label1")->text(), QStringLiteral("Output the merge file to:"));
        QCOMPARE(control<QLabel>(window, "Label2")->text(), QStringLiteral("The files to be merged:"));
        const QStringList buttons = { "Command1_0", "Command1_1", "Command1_2", "Command2_0", "Command2_1" };
        const QStringList captions = { "&Browse", "&Add", "&Remove", "&Start", "&Close" };
        for (int i = 0; i < buttons.size(); ++i)
            QCOMPARE(control<QPushButton>(window, buttons[i])->text(), captions[i]);
        QCOMPARE(control<QPushButton>(window, "Command1_2")->geometry(), QRect(375, 100, 58, 21));
        QCOMPARE(control<QListWidget>(window, "lstMergeFiles")->geometry(), QRect(14, 77, 347, 147));
        QCOMPARE(control<StatusPanel>(window, "SSPanel1")->geometry(), QRect(0, 259, 441, 18));
        QVERIFY(!control<QListWidget>(window, "lstMergeFiles")->isSortingEnabled());
        QCOMPARE(caption(window), QString());
        QVERIFY(!enabled(window, "Command1_2"));
        QVERIFY(enabled(window, "Command2_0"));

        // Every caption shows whole in the face at hand.
        for (QLabel* label : window.findChildren<QLabel*>())
            QVERIFY2(QFontMetrics(label->font()).horizontalAdvance(label->text()) <= label->width(),
                qPrintable(label->objectName()));

        const QStringList order
            = { "txtMergeFile", "lstMergeFiles", "Command1_0", "Command1_1", "Command1_2", "Command2_0", "Command2_1" };
        for (int i = 0; i + 1 < order.size(); ++i)
            QCOMPARE(nextTabStop(window, order[i]), order[i + 1]);
        QCOMPARE(nextTabStop(window, order.last()), order.first());
    }

    void addRemoveAndListClick()
    {
        ScriptedPlatform platform;
        frmMerge window(platform);
        add(platform, window, "/data/a.txt");
        QVERIFY(enabled(window, "Command1_2"));
        add(platform, window, ""); // cancelled: nothing added
        add(platform, window, "/data/b.txt");
        add(platform, window, "/data/a.txt"); // no duplicate check
        add(platform, window, "/data/c.txt");
        QCOMPARE(entries(window), QStringList({ "/data/a.txt", "/data/b.txt", "/data/a.txt", "/data/c.txt" }));

        click(window, "Command1_2"); // nothing selected: nothing removed
        QCOMPARE(entries(window).size(), 4);
        QVERIFY(!enabled(window, "Command1_2"));

        clickEntry(window, 1);
        QVERIFY(enabled(window, "Command1_2"));
        click(window, "Command1_2");
        QCOMPARE(entries(window), QStringList({ "/data/a.txt", "/data/a.txt", "/data/c.txt" }));
        QVERIFY(!enabled(window, "Command1_2"));
        click(window, "Command1_2");
        QCOMPARE(entries(window).size(), 3);

        QCOMPARE(platform.choosers().size(), 5);
        for (const auto& chooser : platform.choosers())
            QCOMPARE(chooser.dialogType, 1);
        QVERIFY(platform.boxes().isEmpty());
    }

    void checkMessages_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("title");
        QTest::newRow("empty list") << QStringList() << "Please add the files you want to merge."
                                    << "Merge Files";
        QTest::newRow("missing") << QStringList({ "a", "missing" }) << "Invalid path or file name for: \r@missing"
                                 << "Remove File";
        QTest::newRow("first bad entry in list order")
            << QStringList({ "a", ".", "missing" }) << "Invalid path or file name for: \r@."
            << "Remove File";
    }

    void checkMessages()
    {
        QFETCH(QStringList, files);
        QFETCH(QString, message);
        QFETCH(QString, title);
        TempDir dir;
        dir.write("a", "a\r\n");
        const QString folder = q(dir.path()) + "/";
        ScriptedPlatform platform;
        frmMerge window(platform);
        for (const QString& file : files)
            add(platform, window, folder + file);
        fill(window, "txtMergeFile", q(dir.file("out.txt")));
        click(window, "Command2_0");
        QCOMPARE(platform.boxes().size(), 1);
        QCOMPARE(platform.boxes()[0].text, QString(message).replace("@", folder));
        QCOMPARE(platform.boxes()[0].style, 48);
        QCOMPARE(platform.boxes()[0].title, title);
        QVERIFY(enabled(window, "Command2_0"));
        QCOMPARE(caption(window), QString());
        QVERIFY(!QFile::exists(q(dir.file("out.txt"))));
    }

    void runJoinsTheFilesInListOrder()
    {
        TempDir dir;
        const auto a = dir.write("a.txt", "a@x, \"b\"\r\n\r\nno end");
        const auto b = dir.write("b.txt", "gone\r\n");
        const auto c = dir.write("c.adr", "c@z\r");
        const auto empty = dir.write("empty.txt", "");
        ScriptedPlatform platform;
        platform.setClock(QDateTime(QDate(2026, 3, 1), QTime(10, 0, 0)), 3725); // 1 h 2 min 5 s
        frmMerge window(platform);
        for (const auto& path : { a, b, c, empty, a })
            add(platform, window, q(path));
        clickEntry(window, 1);
        click(window, "Command1_2");
        fill(window, "txtMergeFile", q(dir.write("merged.txt", std::string(500, 'z'))));
        click(window, "Command2_0");

        QVERIFY(platform.boxes().isEmpty());
        QCOMPARE(readFile(dir.file("merged.txt")), "a@x, \"b\"\r\n\r\nno endc@z\ra@x, \"b\"\r\n\r\nno end");
        QCOMPARE(caption(window), QStringLiteral("Merge file done. Time: 02:05"));
        QVERIFY(platform.pointerChanges().isEmpty()); // Merge keeps the normal pointer
        QVERIFY(!enabled(window, "Command2_0"));
        QCOMPARE(entries(window).size(), 4);
        QCOMPARE(readFile(a), "a@x, \"b\"\r\n\r\nno end");
    }

    void startComesBackOnlyWhenTheOutputPathChanges()
    {
        TempDir dir;
        ScriptedPlatform platform;
        frmMerge window(platform);
        add(platform, window, q(dir.write("a.txt", "a\r\n")));
        fill(window, "txtMergeFile", q(dir.file("out.txt")));
        click(window, "Command2_0");
        QVERIFY(!enabled(window, "Command2_0"));
        add(platform, window, q(dir.file("a.txt")));
        clickEntry(window, 0);
        click(window, "Command1_2");
        QVERIFY(!enabled(window, "Command2_0"));

        platform.answerFile(""); // a cancelled Browse empties the box, which is a change
        click(window, "Command1_0");
        QCOMPARE(text(window, "txtMergeFile"), QString());
        QVERIFY(enabled(window, "Command2_0"));

        click(window, "Command2_0"); // the empty output path fails in the run
        QVERIFY(!enabled(window, "Command2_0"));
        fill(window, "txtMergeFile", "x");
        QVERIFY(enabled(window, "Command2_0"));
    }

    void runFailuresShowTheErrorAndKeepTheCaption_data()
    {
        QTest::addColumn<QString>("output");
        QTest::addColumn<bool>("inputGone");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty output path") << "" << false << "(no file name): No such file or directory";
        QTest::newRow("full disk") << "/dev/full" << false << "/dev/full: No space left on device";
        QTest::newRow("input gone since the check") << "@out.txt" << true << "@gone.txt: No such file or directory";
    }

    void runFailuresShowTheErrorAndKeepTheCaption()
    {
        QFETCH(QString, output);
        QFETCH(bool, inputGone);
        QFETCH(QString, message);
        TempDir dir;
        const QString folder = q(dir.path()) + "/";
        ScriptedPlatform platform;
        frmMerge window(platform);
        add(platform, window, q(dir.write("a.txt", "a\r\n")));
        if (inputGone) {
            platform.setExisting(folder + "gone.txt", true);
            add(platform, window, folder + "gone.txt");
        }
        fill(window, "txtMergeFile", QString(output).replace("@", folder));
        click(window, "Command2_0");
        QCOMPARE(platform.boxes().size(), 1);
        QCOMPARE(platform.boxes()[0].text, QString(message).replace("@", folder));
        QCOMPARE(platform.boxes()[0].style, 48);
        QCOMPARE(platform.boxes()[0].title, QStringLiteral("Merge File"));
        QCOMPARE(caption(window), QStringLiteral("Merging address list ....."));
        QVERIFY(!enabled(window, "Command2_0"));
        if (inputGone)
            QCOMPARE(readFile(dir.file("out.txt")), "a\r\n");
    }

    void outputThatIsAnInputIsRefused()
    {
        TempDir dir;
        const auto a = dir.write("a.txt", "a\r\n");
        ScriptedPlatform platform;
        frmMerge window(platform);
        add(platform, window, q(a));
        fill(window, "txtMergeFile", q(a));
        click(window, "Command2_0");
        QCOMPARE(platform.boxes().size(), 1);
        QCOMPARE(platform.boxes()[0].text, "The output file is the same file as one of the input files:\r" + q(a));
        QCOMPARE(platform.boxes()[0].title, QStringLiteral("Merge Files"));
        QVERIFY(enabled(window, "Command2_0"));
        QCOMPARE(readFile(a), "a\r\n");
    }
};

QTEST_MAIN(TestFrmMerge)
#include "tst_frmMerge.moc"

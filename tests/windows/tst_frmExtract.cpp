#include "WindowTest.h"

#include "platform/ScriptedPlatform.h"
#include "support/TempDir.h"
#include "tools/StatusPanel.h"
#include "tools/frmExtract.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QtTest>

using namespace quillmark;
using namespace quillmark::test;

class TestFrmExtract : public QObject
{
    Q_OBJECT

private:
    static QString q(const std::string& path) { return QString::fromStdString(path); }
    static QStringList captions(QWidget& window)
    {
        return { control<StatusPanel>(window, "SSPanel1_0")->caption(),
            control<StatusPanel>(window, "SSPanel1_1")->caption() };
    }
    static QStringList entries(QWidget& window)
    {
        QStringList texts;
        auto* list = control<QListWidget>(window, "lstExtractFiles");
        for (int i = 0; i < list->count(); ++i)
            texts << list->item(i)->text();
        return texts;
    }
    static void clickEntry(QWidget& window, int row)
    {
        auto* list = control<QListWidget>(window, "lstExtractFiles");
        window.show();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
    }
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
    static void chooseUnExtract(QWidget& window) { click(window, "optExtract_1"); }

private slots:
    void init() { failOnScriptWarnings(); }

    void designedControls()
    {
        ScriptedPlatform platform;
        frmExtract window(platform);
        QCOMPARE(window.windowTitle(), QStringLiteral("Extract Address "));
        QCOMPARE(window.size(), QSize(446, 324)); // 6690 x 4860 twips at 96 dpi
        QCOMPARE(control<QLabel>(window, "Label1")->text(), QStringLiteral("Output file to:"));
        QCOMPARE(control<QLabel>(window, "Label2")->text(), QStringLiteral("Files to extract from:"));
        QCOMPARE(control<QLabel>(window, "Label3")->text(), QStringLiteral("Keyword:"));
        QCOMPARE(control<QLabel>(window, "Label4")->text(),
            QStringLiteral("Please enter a domain name such as '.com' etc."));
        auto* frame = control<QGroupBox>(window, "SSFrame1");
        QCOMPARE(frame->title(), QStringLiteral("Extract Option"));
        QCOMPARE(frame->geometry(), QRect(5, 49, 432, 81));
        auto* extract = control<QRadioButton>(window, "optExtract_0");
        auto* unExtract = control<QRadioButton>(window, "optExtract_1");
        QCOMPARE(extract->text(), QStringLiteral("Extract"));
        QCOMPARE(unExtract->text(), QStringLiteral("Un-Extract"));
        QCOMPARE(extract->parentWidget(), frame);
        QCOMPARE(control<QLineEdit>(window, "txtKeyword")->parentWidget(), frame);
        QCOMPARE(control<QLineEdit>(window, "txtKeyword")->geometry(), QRect(70, 47, 92, 19));
        QVERIFY(extract->isChecked());
        QVERIFY(!unExtract->isChecked());
        const QStringList buttons = { "Command1_0", "Command1_1", "Command1_2", "Command2_0", "Command2_1" };
        const QStringList texts = { "&Browse", "&Add", "&Remove", "&Start", "&Close" };
        for (int i = 0; i < buttons.size(); ++i)
            QCOMPARE(control<QPushButton>(window, buttons[i])->text(), texts[i]);
        QCOMPARE(control<StatusPanel>(window, "SSPanel1_1")->geometry(), QRect(308, 307, 141, 17));
        QCOMPARE(captions(window), QStringList({ "", "" }));
        QVERIFY(!enabled(window, "Command1_2"));
        QVERIFY(enabled(window, "Command2_0"));

        // Every caption shows whole in the face at hand.
        for (QLabel* label : window.findChildren<QLabel*>())
            QVERIFY2(QFontMetrics(label->font()).horizontalAdvance(label->text()) <= label->width(),
                qPrintable(label->objectName()));

        // From Close upwards; Close has the focus when the window opens.
        const QStringList order = { "Command2_1", "Command2_0", "Command1_2", "Command1_1", "Command1_0",
            "lstExtractFiles", "txtExtractFile", "optExtract_0", "optExtract_1", "txtKeyword" };
        for (int i = 0; i + 1 < order.size(); ++i)
            QCOMPARE(nextTabStop(window, order[i]), order[i + 1]);
        window.show();
        QCOMPARE(window.focusWidget()->objectName(), QStringLiteral("Command2_1"));

        // One group: choosing one option clears the other.
        chooseUnExtract(window);
        QVERIFY(unExtract->isChecked());
        QVERIFY(!extract->isChecked());
    }

    void checkMessages_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("style");
        QTest::addColumn<QString>("title");
        QTest::newRow("empty list") << QStringList() << "You must add the files you want to extract." << 0
                                    << "Extracting";
        QTest::newRow("missing") << QStringList({ "a", "missing" }) << "Invalid path or file name for: \r@missing" << 48
                                 << "Remove File";
        QTest::newRow("first bad entry in list order")
            << QStringList({ ".", "missing" }) << "Invalid path or file name for: \r@." << 48 << "Remove File";
    }

    void checkMessages()
    {
        QFETCH(QStringList, files);
        QFETCH(QString, message);
        QFETCH(int, style);
        QFETCH(QString, title);
        TempDir dir;
        dir.write("a", "a\r\n");
        const QString folder = q(dir.path()) + "/";
        ScriptedPlatform platform;
        frmExtract window(platform);
        for (const QString& file : files)
            add(platform, window, folder + file);
        fill(window, "txtExtractFile", q(dir.file("out.txt")));
        click(window, "Command2_0");
        QCOMPARE(platform.boxes().size(), 1);
        QCOMPARE(platform.boxes()[0].text, QString(message).replace("@", folder));
        QCOMPARE(platform.boxes()[0].style, style);
        QCOMPARE(platform.boxes()[0].title, title);
        QVERIFY(enabled(window, "Command2_0"));
        QVERIFY(platform.pointerChanges().isEmpty());
        QVERIFY(!QFile::exists(q(dir.file("out.txt"))));
    }

    void runWritesTheKeptItemsAndTheTotal_data()
    {
        QTest::addColumn<QString>("keyword");
        QTest::addColumn<bool>("unExtract");
        QTest::addColumn<QByteArray>("written");
        QTest::addColumn<QString>("total");
        QTest::newRow(".com, Extract") << ".com" << false
                                       << QByteArray("a@x.com\r\nb.com@y.org\r\nd@w.com\r\na@x.com\r\n")
                                       << "Total new addresses:  4";
        QTest::newRow(".com, Un-Extract")
            << ".com" << true << QByteArray("c@Z.COM\r\n\r\n") << "Total new addresses:  2";
        QTest::newRow("empty keyword, Extract")
            << "" << false << QByteArray("a@x.com\r\nb.com@y.org\r\nc@Z.COM\r\n\r\nd@w.com\r\na@x.com\r\n")
            << "Total new addresses:  6";
        QTest::newRow("empty keyword, Un-Extract") << "" << true << QByteArray() << "Total new addresses:  0";
        QTest::newRow("keyword as typed, blank included") << " " << false << QByteArray() << "Total new addresses:  0";
        QTest::newRow("case counts") << "Z.C" << false << QByteArray("c@Z.COM\r\n") << "Total new addresses:  1";
    }

    void runWritesTheKeptItemsAndTheTotal()
    {
        QFETCH(QString, keyword);
        QFETCH(bool, unExtract);
        QFETCH(QByteArray, written);
        QFETCH(QString, total);
        TempDir dir;
        const auto first = dir.write("first.txt", "a@x.com, b.com@y.org\r\n  \"c@Z.COM\"\r\n\r\n");
        const auto second = dir.write("second.txt", "d@w.com");
        ScriptedPlatform platform;
        platform.setClock(QDateTime(QDate(2026, 3, 1), QTime(10, 0, 0)), 3725); // 1 h 2 min 5 s
        frmExtract window(platform);
        add(platform, window, q(first));
        add(platform, window, q(second));
        add(platform, window, q(first));
        clickEntry(window, 2);
        click(window, "Command1_2");
        add(platform, window, q(dir.write("third.txt", "a@x.com\r\n")));
        fill(window, "txtExtractFile", q(dir.write("new.txt", std::string(900, 'z'))));
        fill(window, "txtKeyword", keyword);
        if (unExtract)
            chooseUnExtract(window);
        click(window, "Command2_0");

        QVERIFY(platform.boxes().isEmpty());
        QCOMPARE(QByteArray::fromStdString(readFile(dir.file("new.txt"))), written);
        QCOMPARE(captions(window), QStringList({ "Extract file done. Time: 02:05", total }));
        QCOMPARE(platform.pointerChanges(), QList<bool>({ true, false }));
        QVERIFY(!enabled(window, "Command2_0"));
        QCOMPARE(readFile(first), "a@x.com, b.com@y.org\r\n  \"c@Z.COM\"\r\n\r\n");
    }

    // After a run, only Browse, Add and Remove bring Start back: not typing, not the options.
    void startComesBackThroughTheButtons()
    {
        TempDir dir;
        ScriptedPlatform platform;
        frmExtract window(platform);
        add(platform, window, q(dir.write("a.txt", "a\r\n")));
        fill(window, "txtExtractFile", q(dir.file("out.txt")));
        const auto runOnce = [&] {
            click(window, "Command2_0");
            QVERIFY(!enabled(window, "Command2_0"));
        };
        runOnce();
        fill(window, "txtExtractFile", q(dir.file("other.txt")));
        fill(window, "txtKeyword", "x");
        chooseUnExtract(window);
        QVERIFY(!enabled(window, "Command2_0"));

        add(platform, window, ""); // even a cancelled Add
        QVERIFY(enabled(window, "Command2_0"));
        QCOMPARE(entries(window).size(), 1);
        runOnce();
        click(window, "Command1_2"); // Remove with nothing selected
        QVERIFY(enabled(window, "Command2_0"));
        QCOMPARE(entries(window).size(), 1);
        runOnce();
        platform.answerFile("");
        click(window, "Command1_0");
        QCOMPARE(text(window, "txtExtractFile"), QString());
        QVERIFY(enabled(window, "Command2_0"));
        QCOMPARE(platform.boxes().size(), 0);
    }

    void runFailureKeepsThePanelsAndThePreviousTotal()
    {
        TempDir dir;
        ScriptedPlatform platform;
        frmExtract window(platform);
        add(platform, window, q(dir.write("a.txt", "a.com\r\nb.com\r\n")));
        fill(window, "txtExtractFile", q(dir.file("out.txt")));
        fill(window, "txtKeyword", ".com");
        click(window, "Command2_0");
        QCOMPARE(captions(window)[1], QStringLiteral("Total new addresses:  2"));

        platform.answerFile("");
        click(window, "Command1_0"); // empties the output path and brings Start back
        click(window, "Command2_0");
        QCOMPARE(platform.boxes().size(), 1);
        QCOMPARE(platform.boxes()[0].text, QStringLiteral("(no file name): No such file or directory"));
        QCOMPARE(platform.boxes()[0].style, 48);
        QCOMPARE(platform.boxes()[0].title, QStringLiteral("Extract File"));
        QCOMPARE(captions(window), QStringList({ "Reading address list files .....", "Total new addresses:  2" }));
        QCOMPARE(platform.pointerChanges(), QList<bool>({ true, false, true, false }));
        QVERIFY(!enabled(window, "Command2_0"));
    }

    void outputThatIsAnInputIsRefused()
    {
        TempDir dir;
        const auto a = dir.write("a.txt", "a\r\n");
        ScriptedPlatform platform;
        frmExtract window(platform);
        add(platform, window, q(a));
        fill(window, "txtExtractFile", q(a));
        click(window, "Command2_0");
        QCOMPARE(platform.boxes().size(), 1);
        QCOMPARE(platform.boxes()[0].text, "The output file is the same file as one of the input files:\r" + q(a));
        QCOMPARE(platform.boxes()[0].title, QStringLiteral("Extracting"));
        QVERIFY(enabled(window, "Command2_0"));
        QCOMPARE(readFile(a), "a\r\n");
    }
};

QTEST_MAIN(TestFrmExtract)
#include "tst_frmExtract.moc"

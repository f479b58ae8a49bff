#include "WindowTest.h"

#include "platform/ScriptedPlatform.h"
#include "shell/frmMain.h"
#include "support/TempDir.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QtTest>

using namespace quillmark;
using namespace quillmark::test;

class TestFrmMain : public QObject
{
    Q_OBJECT

private slots:
    void init() { failOnScriptWarnings(); }

    void menusAsDesigned()
    {
        ScriptedPlatform platform;
        frmMain window(platform);
        QCOMPARE(window.windowTitle(), QStringLiteral("Quillmark"));
        QStringList titles;
        for (QAction* menu : window.menuBar()->actions())
            titles << menu->text();
        QCOMPARE(titles, QStringList({ "&File", "&Utility", "&Help" }));
        auto captions = [](QMenu* menu) {
            QStringList texts;
            for (QAction* item : menu->actions())
                texts << (item->isSeparator() ? QStringLiteral("-") : item->text());
            return texts;
        };
        QCOMPARE(captions(window.mnuFile), QStringList({ "&Exit" }));
        QCOMPARE(captions(window.mnuUtility),
            QStringList({ "&Remove", "&Merge", "S&plit", "&Extract", "&Sort and De-duplicate", "-",
                "Misce&llaneous Retrieve" }));
        QCOMPARE(captions(window.mnuHelp), QStringList({ "&Contents", "-", "&About Quillmark" }));
        QCOMPARE(window.mnuUtilityItems[6]->objectName(), QStringLiteral("mnuUtilityItems_6"));
        QCOMPARE(window.mnuHelpItems[0]->shortcut(), QKeySequence(QKeySequence::HelpContents));
    }

    void placedAtTheTopCentredAndFixedWidth()
    {
        ScriptedPlatform platform;
        platform.setScreen({ 1024, 768 }, 96);
        frmMain window(platform);
        QCOMPARE(window.width(), 402);     // 6030 twips
        QCOMPARE(window.y(), 90);          // 1350 twips from the top of the screen
        QCOMPARE(window.x(), (1024 - 402) / 2);
        QCOMPARE(window.minimumSize(), window.maximumSize());
    }

    void helpContentsOpensTheHelpBesideTheProgram()
    {
        ScriptedPlatform platform;
        platform.setProgramFolder("/opt/qm dir");
        frmMain window(platform);
        window.mnuHelpItems[0]->trigger();
        QCOMPARE(platform.openedDocuments(), QStringList({ "/opt/qm dir/qmk.html" }));
        QVERIFY(platform.boxes().isEmpty());
    }

    void helpFailureShowsTheSystemText()
    {
        ScriptedPlatform platform;
        frmMain window(platform);
        platform.failNextStart("/opt/quillmark/bin/qmk.html: No such file or directory");
        window.mnuHelpItems[0]->trigger();
        QCOMPARE(platform.boxes().size(), 1);
        QCOMPARE(platform.boxes()[0].text, QStringLiteral("/opt/quillmark/bin/qmk.html: No such file or directory"));
        QCOMPARE(platform.boxes()[0].style, 48);
        QCOMPARE(platform.boxes()[0].title, QStringLiteral("Quillmark"));
        QVERIFY(window.isEnabled());
    }

    void rootFolderGivesADoubledSeparator()
    {
        ScriptedPlatform platform;
        platform.setProgramFolder("/");
        frmMain window(platform);
        QCOMPARE(window.helpPath(), QStringLiteral("//qmk.html"));
    }

    void exitDeletesTheSortWorkFilesIgnoringFailures()
    {
        TempDir dir;
        ScriptedPlatform platform;
        platform.state().sMergeListPath = QString::fromStdString(dir.write("merglist.tmp", "a\r\n"));
        platform.state().sDupListPath = QString::fromStdString(dir.file("duplist.tmp")); // never written
        const auto bystander = dir.write("list.txt", "keep");
        frmMain window(platform);
        window.show();
        window.mnuFileItems[0]->trigger();
        QVERIFY(!window.isVisible());
        QVERIFY(!QFile::exists(platform.state().sMergeListPath));
        QCOMPARE(readFile(bystander), "keep");
        QVERIFY(platform.boxes().isEmpty());
    }

    void exitWithoutASortRunShowsNothing()
    {
        ScriptedPlatform platform;
        frmMain window(platform);
        window.show();
        QVERIFY(window.close());
        QVERIFY(platform.boxes().isEmpty());
    }

    void separatorDoesNothing()
    {
        ScriptedPlatform platform;
        frmMain window(platform);
        window.mnuUtilityItems[5]->trigger();
        QVERIFY(QApplication::activeModalWidget() == nullptr);
    }

    void everyUtilityItemOpensItsWindowModally_data()
    {
        QTest::addColumn<int>("item");
        QTest::addColumn<QString>("title");
        QTest::newRow("Remove") << 0 << "Remove Address";
        QTest::newRow("Merge") << 1 << "Merge Address";
        QTest::newRow("Split") << 2 << "Split Address List";
        QTest::newRow("Extract") << 3 << "Extract Address ";
        QTest::newRow("Sort") << 4 << "Sort and De-duplicate Addresses";
        QTest::newRow("Retrieve") << 6 << "Retrieve Email Address";
    }

    void everyUtilityItemOpensItsWindowModally()
    {
        QFETCH(int, item);
        QFETCH(QString, title);
        ScriptedPlatform platform;
        frmMain window(platform);
        window.show();
        QVERIFY(window.mnuUtilityItems[item]->isEnabled());
        QString seen;
        bool modal = false;
        whenModalOpens([&](QWidget& tool) {
            seen = tool.windowTitle();
            modal = tool.isModal() && tool.parentWidget() == &window;
        });
        window.mnuUtilityItems[item]->trigger();
        QCOMPARE(seen, title);
        QVERIFY(modal);
        QVERIFY(QApplication::activeModalWidget() == nullptr);
    }

    void removeOpensModallyAndFreshEachTime()
    {
        ScriptedPlatform platform;
        frmMain window(platform);
        window.show();
        QString firstTitle;
        whenModalOpens([&](QWidget& tool) {
            firstTitle = tool.windowTitle();
            fill(tool, "txtListFile_0", "typed");
            QVERIFY(!window.isActiveWindow() || QApplication::activeModalWidget() == &tool);
        });
        window.mnuUtilityItems[0]->trigger();
        QCOMPARE(firstTitle, QStringLiteral("Remove Address"));
        QString secondText = "unset";
        whenModalOpens([&](QWidget& tool) { secondText = text(tool, "txtListFile_0"); });
        window.mnuUtilityItems[0]->trigger();
        QCOMPARE(secondText, QString());
    }
};

QTEST_MAIN(TestFrmMain)
#include "tst_frmMain.moc"

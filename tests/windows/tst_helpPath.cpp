#include "WindowTest.h"

#include "platform/QtPlatform.h"
#include "platform/ScriptedPlatform.h"
#include "shell/frmMain.h"
#include "support/TempDir.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QtTest>

using namespace quillmark;
using namespace quillmark::test;

class TestHelpPath : public QObject
{
    Q_OBJECT

private:
    static void writeHelp(const QString& path)
    {
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("<html></html>");
    }

private slots:
    void init() { failOnScriptWarnings(); }

    // The tests run from the build's program folder, where the build copies the document.
    void buildTreeHasTheDocumentBesideThePrograms()
    {
        QtPlatform platform;
        frmMain window(platform);
        const QString path = window.helpPath();
        QCOMPARE(path, QCoreApplication::applicationDirPath() + "/qmk.html");
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();
        QVERIFY(text.contains("<title>Quillmark Help</title>"));
    }

    void installedDocumentIsFoundUnderShare()
    {
        TempDir prefix;
        const QString root = QString::fromStdString(prefix.path());
        QVERIFY(QDir().mkpath(root + "/bin"));
        writeHelp(root + "/share/quillmark/qmk.html");
        ScriptedPlatform platform;
        platform.setProgramFolder(root + "/bin");
        frmMain window(platform);
        QCOMPARE(window.helpPath(), QFileInfo(root + "/share/quillmark/qmk.html").canonicalFilePath());
        window.mnuHelpItems[0]->trigger();
        QCOMPARE(platform.openedDocuments(), QStringList({ window.helpPath() }));
    }

    void documentBesideTheProgramComesFirst()
    {
        TempDir prefix;
        const QString root = QString::fromStdString(prefix.path());
        writeHelp(root + "/bin/qmk.html");
        writeHelp(root + "/share/quillmark/qmk.html");
        ScriptedPlatform platform;
        platform.setProgramFolder(root + "/bin");
        frmMain window(platform);
        QCOMPARE(window.helpPath(), root + "/bin/qmk.html");
    }
};

QTEST_MAIN(TestHelpPath)
#include "tst_helpPath.moc"

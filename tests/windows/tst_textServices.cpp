#include "WindowTest.h"

#include "platform/ScriptedPlatform.h"
#include "services/clsFileController.h"
#include "support/TempDir.h"

#include <QFile>
#include <QtTest>

#include <sys/stat.h>

using namespace quillmark;
using namespace quillmark::test;

namespace {
QString q(const std::string& path)
{
    return QString::fromStdString(path);
}

// Every byte value, over and over: NUL, CR, LF, 8-bit bytes all must come back as they are.
std::string allBytes(int size)
{
    std::string bytes(size_t(size), '\0');
    for (int i = 0; i < size; ++i)
        bytes[size_t(i)] = char((i * 7 + 3) % 256);
    return bytes;
}
}

class TestTextServices : public QObject
{
    Q_OBJECT

private slots:
    void init() { failOnScriptWarnings(); }

    void openGivesTheFirst32000BytesUnchanged_data()
    {
        QTest::addColumn<int>("size");
        QTest::newRow("empty") << 0;
        QTest::newRow("one byte") << 1;
        QTest::newRow("one short of the limit") << 31999;
        QTest::newRow("at the limit") << 32000;
        QTest::newRow("one over") << 32001;
        QTest::newRow("much longer") << 100000;
    }

    void openGivesTheFirst32000BytesUnchanged()
    {
        QFETCH(int, size);
        TempDir dir;
        const std::string content = allBytes(size);
        const auto path = dir.write("list.txt", content);
        ScriptedPlatform platform;
        clsFileController controller(platform);
        const QByteArray text = controller.openTextFile(q(path));
        QCOMPARE(text, QByteArray::fromStdString(content.substr(0, 32000)));
        QVERIFY(platform.boxes().isEmpty());
        QCOMPARE(platform.pointerChanges(), QList<bool>({ true, false }));
        QCOMPARE(readFile(path), content);
    }

    void openCreatesAMissingFileEmpty()
    {
        TempDir dir;
        ScriptedPlatform platform;
        clsFileController controller(platform);
        const QString path = q(dir.file("new list.txt"));
        QCOMPARE(controller.openTextFile(path), QByteArray());
        QVERIFY(platform.boxes().isEmpty());
        QVERIFY(QFileInfo(path).isFile());
        QCOMPARE(QFileInfo(path).size(), 0);
        QCOMPARE(platform.pointerChanges(), QList<bool>({ true, false }));
    }

    // A named pipe has no writer here: waiting for one would hang the program.
    void openOfANamedPipeReturnsAtOnce()
    {
        TempDir dir;
        const auto path = dir.file("pipe");
        QCOMPARE(::mkfifo(path.c_str(), 0600), 0);
        ScriptedPlatform platform;
        clsFileController controller(platform);
        QCOMPARE(controller.openTextFile(q(path)), QByteArray());
        QVERIFY(platform.boxes().isEmpty());
        QCOMPARE(platform.pointerChanges(), QList<bool>({ true, false }));
    }

    void openFailureShowsTheSystemText_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("reason");
        QTest::newRow("folder missing") << "no folder/list.txt" << "No such file or directory";
        QTest::newRow("a folder") << "." << "Is a directory";
        QTest::newRow("no name") << "" << "No such file or directory";
    }

    void openFailureShowsTheSystemText()
    {
        QFETCH(QString, name);
        QFETCH(QString, reason);
        TempDir dir;
        const QString path = name.isEmpty() ? QString() : q(dir.file(name.toStdString()));
        ScriptedPlatform platform;
        clsFileController controller(platform);
        QCOMPARE(controller.openTextFile(path), QByteArray());
        QCOMPARE(platform.boxes().size(), 1);
        QCOMPARE(platform.boxes()[0].text, (path.isEmpty() ? QStringLiteral("(no file name)") : path) + ": " + reason);
        QCOMPARE(platform.boxes()[0].style, 48);
        QCOMPARE(platform.boxes()[0].title, QStringLiteral("Open File"));
        QCOMPARE(platform.pointerChanges(), QList<bool>({ true, false }));
        QVERIFY(!QFile::exists(q(dir.file("no folder"))));
    }

    void saveWritesANewFileWithoutAsking()
    {
        TempDir dir;
        ScriptedPlatform platform;
        clsFileController controller(platform);
        const std::string content = allBytes(70000);
        const auto path = dir.file("saved.txt");
        controller.saveTextFile(q(path), QByteArray::fromStdString(content));
        QVERIFY(platform.boxes().isEmpty());
        QCOMPARE(readFile(path), content); // no limit, no line end added, no conversion
        QCOMPARE(platform.pointerChanges(), QList<bool>({ true, false }));
    }

    void saveOverAnExistingFileAsksFirst_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("expected");
        QTest::addColumn<QList<bool>>("pointer");
        const QByteArray old = "a much longer earlier content\r\nb@y\r\n";
        const QList<bool> busyThenNormal { true, false };
        QTest::newRow("yes, shorter text") << 6 << QByteArray("new@x") << QByteArray("new@x") << busyThenNormal;
        QTest::newRow("yes, empty text") << 6 << QByteArray() << QByteArray() << busyThenNormal;
        QTest::newRow("no") << 7 << QByteArray("new@x") << old << QList<bool>();
    }

    void saveOverAnExistingFileAsksFirst()
    {
        QFETCH(int, answer);
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, expected);
        QFETCH(QList<bool>, pointer);
        TempDir dir;
        const auto path = dir.write("list.txt", "a much longer earlier content\r\nb@y\r\n");
        ScriptedPlatform platform;
        platform.answerBox(answer);
        clsFileController controller(platform);
        controller.saveTextFile(q(path), text);
        QCOMPARE(platform.boxes().size(), 1);
        QCOMPARE(platform.boxes()[0].text, "The file " + q(path) + " already existing, do you want to replace it?");
        QCOMPARE(platform.boxes()[0].style, 4 + 32);
        QCOMPARE(platform.boxes()[0].title, QStringLiteral("Save File"));
        QCOMPARE(QByteArray::fromStdString(readFile(path)), expected);
        QCOMPARE(platform.pointerChanges(), pointer);
    }

    void saveFailureShowsTheSystemTextWithoutAsking_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("reason");
        QTest::newRow("folder missing") << "no folder/list.txt" << "No such file or directory";
        QTest::newRow("a folder") << "." << "Is a directory";
        QTest::newRow("disk full") << "/dev/full" << "No space left on device";
    }

    void saveFailureShowsTheSystemTextWithoutAsking()
    {
        QFETCH(QString, name);
        QFETCH(QString, reason);
        TempDir dir;
        const QString path = name.startsWith('/') ? name : q(dir.file(name.toStdString()));
        ScriptedPlatform platform;
        clsFileController controller(platform);
        controller.saveTextFile(path, "a@x\r\n");
        QCOMPARE(platform.boxes().size(), 1);
        QCOMPARE(platform.boxes()[0].text, path + ": " + reason);
        QCOMPARE(platform.boxes()[0].style, 48);
        QCOMPARE(platform.boxes()[0].title, QStringLiteral("Save File"));
        QCOMPARE(platform.pointerChanges(), QList<bool>({ true, false }));
    }

    // A name with wildcard characters names that one file: it neither matches nor replaces another.
    void saveTakesWildcardsLiterally()
    {
        TempDir dir;
        const auto other = dir.write("abc.txt", "keep\r\n");
        ScriptedPlatform platform;
        clsFileController controller(platform);
        const QString starred = q(dir.file("a*.txt"));
        controller.saveTextFile(starred, "new\r\n");
        QVERIFY(platform.boxes().isEmpty());
        QCOMPARE(readFile(starred.toStdString()), "new\r\n");
        QCOMPARE(readFile(other), "keep\r\n");

        // Once it exists, saving to it again asks about that very name.
        platform.answerBox(6);
        controller.saveTextFile(starred, "newer");
        QCOMPARE(platform.boxes().size(), 1);
        QCOMPARE(platform.boxes()[0].text, "The file " + starred + " already existing, do you want to replace it?");
        QCOMPARE(readFile(starred.toStdString()), "newer");
        QCOMPARE(readFile(other), "keep\r\n");
    }

    void savedTextOpensAgainUnchanged()
    {
        TempDir dir;
        ScriptedPlatform platform;
        clsFileController controller(platform);
        const QByteArray text = QByteArray::fromStdString(allBytes(5000));
        const QString path = q(dir.file("round trip.adr"));
        controller.saveTextFile(path, text);
        QCOMPARE(controller.openTextFile(path), text);
        QVERIFY(platform.boxes().isEmpty());
    }
};

QTEST_MAIN(TestTextServices)
#include "tst_textServices.moc"

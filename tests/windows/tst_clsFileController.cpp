#include "WindowTest.h"

#include "platform/QtPlatform.h"
#include "platform/ScriptedPlatform.h"
#include "services/CommonDialog.h"
#include "services/clsFileController.h"

#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace quillmark;
using namespace quillmark::test;

class TestFileController : public QObject
{
    Q_OBJECT

private slots:
    void init() { failOnScriptWarnings(); }

    void everyCallStartsAfreshWithTheFirstFilter()
    {
        ScriptedPlatform platform;
        QWidget window;
        auto* dialog = new CommonDialog(platform, &window);
        clsFileController controller(platform);
        platform.answerFile("/home/u/a.adr");
        QCOMPARE(controller.GetFileName(&window, 1), QStringLiteral("/home/u/a.adr"));
        platform.answerFile("");
        QCOMPARE(controller.GetFileName(&window, 1), QString());
        QCOMPARE(dialog->filename, QString()); // cleared before the second display
        QCOMPARE(dialog->FilterIndex, 1);
        QCOMPARE(dialog->Filter, QStringLiteral("All Files (*.*)|*.*|Text files (*.txt)|*.txt|Address File "
                                                "(*.adr)|*.adr|Newsgroup File (*.nsg)|*.nsg"));
        QCOMPARE(platform.choosers().size(), 2);
        QCOMPARE(platform.choosers()[1].filters.size(), 4);
        QVERIFY(platform.boxes().isEmpty());
    }

    void windowWithoutItsDialogGivesEmptyAndShowsNothing()
    {
        ScriptedPlatform platform;
        QWidget window;
        clsFileController controller(platform);
        QCOMPARE(controller.GetFileName(&window, 1), QString());
        QCOMPARE(controller.GetFileName(nullptr, 1), QString());
        QVERIFY(platform.choosers().isEmpty());
        QVERIFY(platform.boxes().isEmpty());
    }

    void qtFiltersShowEveryFileForAllFiles()
    {
        QCOMPARE(qtNameFilter("All Files (*.*)|*.*"), QStringLiteral("All Files (*)"));
        QCOMPARE(qtNameFilter("Address File (*.adr)|*.adr"), QStringLiteral("Address File (*.adr)"));
    }

    // The one test that meets a real message box: the style code picks icon and buttons, the answer is mapped.
    void realMessageBoxMapsStyleAndAnswer()
    {
        QtPlatform platform;
        QString seenText;
        QMessageBox::Icon seenIcon = QMessageBox::NoIcon;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            seenText = box->text();
            seenIcon = box->icon();
            box->button(QMessageBox::No)->click();
        });
        const int answer = platform.messageBox(nullptr, "Replace it?\rReally", 4 + 32, "Save File");
        QCOMPARE(answer, 7);
        QCOMPARE(seenText, QStringLiteral("Replace it?\nReally"));
        QCOMPARE(seenIcon, QMessageBox::Question);
    }
};

QTEST_MAIN(TestFileController)
#include "tst_clsFileController.moc"

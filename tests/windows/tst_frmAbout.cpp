#include "WindowTest.h"

#include "platform/ScriptedPlatform.h"
#include "shell/ApplicationIcon.h"
#include "shell/frmAbout.h"
#include "shell/frmMain.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QSet>
#include <QtTest>

using namespace quillmark;
using namespace quillmark::test;

namespace {
// The opaque colours of a picture.
QSet<QRgb> colours(const QImage& image)
{
    QSet<QRgb> found;
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y) {
        for (int x = 0; x < argb.width(); ++x) {
            if (qAlpha(argb.pixel(x, y)) != 0)
                found.insert(argb.pixel(x, y));
        }
    }
    return found;
}

QImage picture(const QIcon& icon, int size)
{
    return icon.pixmap(QSize(size, size)).toImage().convertToFormat(QImage::Format_ARGB32);
}
}

class TestFrmAbout : public QObject
{
    Q_OBJECT

private slots:
    void init() { failOnScriptWarnings(); }

    void designedWindow()
    {
        ScriptedPlatform platform;
        platform.setScreen({ 1024, 768 }, 96);
        frmAbout window(platform);
        QCOMPARE(window.windowTitle(), QStringLiteral("About Quillmark 1.0"));
        QCOMPARE(window.size(), QSize(372, 217)); // 5580 x 3255 twips at 96 dpi
        QCOMPARE(window.minimumSize(), window.maximumSize());
        QVERIFY(!(window.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QCOMPARE(window.pos(), QPoint(326, 262)); // centred, slightly above the middle
        QCOMPARE(window.palette().color(QPalette::Window), QColor(192, 192, 192));

        QCOMPARE(window.btnOk->text(), QStringLiteral("OK"));
        QCOMPARE(window.btnOk->geometry(), QRect(288, 11, 68, 21));
        QCOMPARE(window.Label1->text(), QStringLiteral("Quillmark"));
        QCOMPARE(window.Label2->text(), QStringLiteral("For Windows 95 or WindowNT"));
        QCOMPARE(window.lblVersion->text(), QStringLiteral("Version 1.0.1"));
        QCOMPARE(window.Label1->pos(), QPoint(72, 12));
        QCOMPARE(window.Label2->pos(), QPoint(72, 28));
        QCOMPARE(window.lblVersion->pos(), QPoint(188, 12));
        QCOMPARE(window.Image1->geometry(), QRect(24, 12, 32, 32));
        for (QLabel* label : { window.Label1, window.Label2, window.lblVersion }) {
            QVERIFY2(label->width() >= label->sizeHint().width(), qPrintable(label->objectName()));
            QVERIFY2(label->height() >= label->sizeHint().height(), qPrintable(label->objectName()));
        }
        QCOMPARE(window.findChild<QFrame*>("Line1"), window.Line1);
        QCOMPARE(window.btnOk->objectName(), QStringLiteral("btnOk"));
    }

    void etchedRuleIsDarkOverWhite()
    {
        ScriptedPlatform platform;
        frmAbout window(platform);
        QCOMPARE(window.Line2->geometry(), QRect(72, 171, 265, 1)); // (1080, 2565) to (5040, 2565)
        QCOMPARE(window.Line1->geometry(), QRect(72, 172, 265, 1)); // directly under it
        const QImage shot = window.grab().toImage();
        QCOMPARE(QColor(shot.pixel(200, 171)), QColor(Qt::black));
        QCOMPARE(QColor(shot.pixel(200, 172)), QColor(Qt::white));
        QCOMPARE(QColor(shot.pixel(200, 180)), QColor(192, 192, 192));
    }

    void versionCaptionWritesEveryNumberInFull_data()
    {
        QTest::addColumn<int>("majorNumber");
        QTest::addColumn<int>("minorNumber");
        QTest::addColumn<int>("revision");
        QTest::addColumn<QString>("caption");
        QTest::newRow("this release") << 1 << 0 << 1 << "Version 1.0.1";
        QTest::newRow("several digits") << 2 << 10 << 100 << "Version 2.10.100";
        QTest::newRow("revision 0") << 1 << 0 << 0 << "Version 1.0.0";
    }

    void versionCaptionWritesEveryNumberInFull()
    {
        QFETCH(int, majorNumber);
        QFETCH(int, minorNumber);
        QFETCH(int, revision);
        QFETCH(QString, caption);
        ScriptedPlatform platform;
        frmAbout window(platform, VersionNumbers { majorNumber, minorNumber, revision });
        QCOMPARE(window.lblVersion->text(), caption);
        QVERIFY(window.lblVersion->width() >= window.lblVersion->sizeHint().width());
        QCOMPARE(window.windowTitle(), QStringLiteral("About Quillmark 1.0"));
    }

    void okHoldsTheFocusAndEnterOrSpaceCloses_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("Space") << int(Qt::Key_Space);
    }

    void okHoldsTheFocusAndEnterOrSpaceCloses()
    {
        QFETCH(int, key);
        ScriptedPlatform platform;
        frmAbout window(platform);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QCOMPARE(QApplication::focusWidget(), window.btnOk);
        // Tab cannot move the focus: no other control takes it.
        QTest::keyClick(&window, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), window.btnOk);
        for (QWidget* child : window.findChildren<QWidget*>()) {
            if (child != window.btnOk)
                QVERIFY2(child->focusPolicy() == Qt::NoFocus, qPrintable(child->objectName()));
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        QVERIFY(!window.isVisible());
        QCOMPARE(window.result(), int(QDialog::Accepted));
    }

    void iconIsTheMainWindowsInSixteenColours()
    {
        ScriptedPlatform platform;
        frmMain main(platform);
        frmAbout window(platform);
        const QIcon icon = applicationIcon();
        QVERIFY(icon.availableSizes().contains(QSize(16, 16)));
        QVERIFY(icon.availableSizes().contains(QSize(32, 32)));
        for (int size : { 16, 32 }) {
            QVERIFY(colours(picture(icon, size)).size() <= 16);
            QCOMPARE(picture(main.windowIcon(), size), picture(icon, size));
            QCOMPARE(picture(window.windowIcon(), size), picture(icon, size));
        }
        QCOMPARE(window.Image1->pixmap().toImage().convertToFormat(QImage::Format_ARGB32), picture(icon, 32));
    }

    // The pictures installed for the desktop are the ones the windows show.
    void installedPicturesMatchTheCompiledOnes()
    {
        for (int size : { 16, 32 }) {
            const QString png = QFINDTESTDATA(QStringLiteral("../../resources/icons/quillmark-%1.png").arg(size));
            QVERIFY(!png.isEmpty());
            const QImage installed = QImage(png).convertToFormat(QImage::Format_ARGB32);
            QCOMPARE(installed.size(), QSize(size, size));
            QCOMPARE(installed, picture(applicationIcon(), size));
        }
    }

    void helpAboutOpensModallyAndFreshEachTime()
    {
        ScriptedPlatform platform;
        frmMain main(platform);
        main.show();
        QVERIFY(main.mnuHelpItems[2]->isEnabled());
        for (int opening = 0; opening < 2; ++opening) {
            QString title;
            QString version;
            bool mainBlocked = false;
            whenModalOpens([&](QWidget& about) {
                title = about.windowTitle();
                version = about.findChild<QLabel*>("lblVersion")->text();
                mainBlocked = QApplication::activeModalWidget() == &about && &about != &main;
                click(about, "btnOk");
            });
            main.mnuHelpItems[2]->trigger();
            QCOMPARE(title, QStringLiteral("About Quillmark 1.0"));
            QCOMPARE(version, QStringLiteral("Version 1.0.1"));
            QVERIFY(mainBlocked);
            QVERIFY(QApplication::activeModalWidget() == nullptr);
        }
        QVERIFY(main.findChildren<frmAbout*>().isEmpty()); // each opening's window is gone when it closes
        QVERIFY(platform.boxes().isEmpty());
    }
};

QTEST_MAIN(TestFrmAbout)
#include "tst_frmAbout.moc"

#include "platform/QtPlatform.h"
#include "shell/ApplicationIcon.h"
#include "shell/frmAbout.h"
#include "shell/frmMain.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillmark"));
    const quillmark::VersionNumbers version = quillmark::programVersion();
    QApplication::setApplicationVersion(
        QStringLiteral("%1.%2.%3").arg(version.majorNumber).arg(version.minorNumber).arg(version.revision));
    // Every window, and the desktop's task bar, show the program's icon; the desktop entry is quillmark.desktop.
    QApplication::setWindowIcon(quillmark::applicationIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral("quillmark"));
    quillmark::QtPlatform platform;
    quillmark::frmMain window(platform);
    window.show();
    return application.exec();
}

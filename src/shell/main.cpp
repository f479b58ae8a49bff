#include "platform/QtPlatform.h"
#include "shell/frmMain.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillmark"));
    quillmark::QtPlatform platform;
    quillmark::frmMain window(platform);
    window.show();
    return application.exec();
}

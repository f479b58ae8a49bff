// Shows the Retrieve window on the real platform and saves a picture of it, to see that no caption is clipped.
// Usage: screenshot OUT.png [count]   ("count" selects the last option, which greys the check boxes and output)
#include "platform/QtPlatform.h"
#include "retrieve/frmRetrieve.h"

#include <QApplication>
#include <QPixmap>
#include <QRadioButton>
#include <QTimer>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    if (argc < 2)
        return 2;
    quillmark::QtPlatform platform;
    quillmark::frmRetrieve window(platform);
    if (argc > 2 && QString::fromLocal8Bit(argv[2]) == QLatin1String("count"))
        window.Option1[4]->setChecked(true);
    window.show();
    const QString out = QString::fromLocal8Bit(argv[1]);
    QTimer::singleShot(500, &window, [&] {
        window.grab().save(out);
        window.close();
        application.quit();
    });
    return application.exec();
}

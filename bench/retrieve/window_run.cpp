// Runs the Retrieve window's mail scan over a file on the real window system and counts how often the
// percentage panel is painted while the scan runs. Boxes are answered by the scripted platform.
// Usage: window_run INPUT OUTPUT
#include "platform/ScriptedPlatform.h"
#include "retrieve/frmRetrieve.h"
#include "tools/StatusPanel.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include <cstdio>

namespace {
class PaintCounter : public QObject
{
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};
}

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    if (argc < 3)
        return 2;
    quillmark::ScriptedPlatform platform;
    platform.setScreen(QGuiApplication::primaryScreen()->size());
    quillmark::frmRetrieve window(platform);
    window.show();
    QCoreApplication::processEvents();
    window.txtInputFile->setText(QString::fromLocal8Bit(argv[1]));
    window.txtOutputFile->setText(QString::fromLocal8Bit(argv[2]));
    PaintCounter counter;
    window.SSPanel1[1]->installEventFilter(&counter);
    QElapsedTimer timer;
    timer.start();
    window.Command2[0]->click();
    const qint64 elapsed = timer.elapsed();
    std::printf("caption %s, percentage updates %d, bar paints during the run %d, %lld ms, box \"%s\"\n",
        qPrintable(window.SSPanel1[0]->caption()), window.SSPanel1[1]->percentUpdates(), counter.paints,
        static_cast<long long>(elapsed),
        platform.boxes().isEmpty() ? "" : qPrintable(platform.boxes().constLast().text));
    return 0;
}

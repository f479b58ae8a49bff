// Writes a picture of every window into the folder given as the only argument.
#include "platform/QtPlatform.h"
#include "shell/frmAbout.h"
#include "shell/frmMain.h"
#include "tools/frmRemove.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <functional>

using namespace quillmark;

namespace {

bool save(QWidget& window, const QString& folder, const QString& name)
{
    window.show();
    if (!QTest::qWaitForWindowExposed(&window, 5000))
        std::fprintf(stderr, "%s was not exposed\n", qPrintable(name));
    QTest::qWait(200);
    const QString path = folder + QLatin1Char('/') + name + QStringLiteral(".png");
    const bool saved = window.grab().save(path);
    std::fprintf(saved ? stdout : stderr, "%s %s\n", saved ? "wrote" : "could not write", qPrintable(path));
    window.hide();
    return saved;
}

void writeSample(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(bytes);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: quillmark_screenshots FOLDER\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);
    QtPlatform platform;
    QTemporaryDir samples;
    bool ok = true;

    {
        frmMain window(platform);
        ok &= save(window, folder, QStringLiteral("frmMain"));
    }
    {
        frmAbout window(platform);
        ok &= save(window, folder, QStringLiteral("frmAbout"));
    }
    {
        frmRemove window(platform);
        const QString list = samples.filePath(QStringLiteral("customers.txt"));
        const QString removeList = samples.filePath(QStringLiteral("unsubscribed.txt"));
        writeSample(list, "ann@example.com\r\nbob@example.org\r\ncarol@example.net\r\n");
        writeSample(removeList, "bob@example.org\r\n");
        window.txtListFile[0]->setText(list);
        window.txtListFile[1]->setText(removeList);
        window.txtListFile[2]->setText(samples.filePath(QStringLiteral("customers-new.txt")));
        window.show();
        window.Command2[0]->click();
        ok &= save(window, folder, QStringLiteral("frmRemove"));
    }
    return ok ? 0 : 1;
}

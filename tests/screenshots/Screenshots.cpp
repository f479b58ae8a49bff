// Writes a picture of every window into the folder given as the only argument.
#include "platform/QtPlatform.h"
#include "shell/frmAbout.h"
#include "shell/frmMain.h"
#include "retrieve/frmRetrieve.h"
#include "tools/frmExtract.h"
#include "tools/frmMerge.h"
#include "tools/frmRemove.h"
#include "tools/frmSort.h"
#include "tools/frmSplit.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
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
    // Absolute: the Sort window moves the working directory to its output folder.
    const QString folder = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
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
    const QString a = samples.filePath(QStringLiteral("customers.txt"));
    const QString b = samples.filePath(QStringLiteral("newsletter.adr"));
    writeSample(a, "ann@example.com\r\nbob@example.org\r\ncarol@example.net\r\nbob@example.org\r\n");
    QByteArray many;
    for (int i = 1; i <= 25; ++i)
        many += "user" + QByteArray::number(i) + "@example.com\r\n";
    writeSample(b, many);
    {
        frmMerge window(platform);
        window.txtMergeFile->setText(samples.filePath(QStringLiteral("all-customers.txt")));
        window.lstMergeFiles->addItem(a);
        window.lstMergeFiles->addItem(b);
        window.show();
        window.Command2[0]->click();
        ok &= save(window, folder, QStringLiteral("frmMerge"));
    }
    {
        frmSplit window(platform);
        window.txtInputFile->setText(b);
        window.txtNumber->setText(QStringLiteral("10"));
        ok &= save(window, folder, QStringLiteral("frmSplit"));
    }
    {
        frmExtract window(platform);
        window.txtExtractFile->setText(samples.filePath(QStringLiteral("dot-com.txt")));
        window.txtKeyword->setText(QStringLiteral(".com"));
        window.lstExtractFiles->addItem(a);
        window.lstExtractFiles->addItem(b);
        window.show();
        window.Command2[0]->click();
        ok &= save(window, folder, QStringLiteral("frmExtract"));
    }
    {
        const QString before = QDir::currentPath();
        frmSort window(platform);
        window.txtSortFile->setText(samples.filePath(QStringLiteral("sorted.txt")));
        window.lstSortFiles->addItem(a);
        window.lstSortFiles->addItem(b);
        window.Command2[0]->setEnabled(true);
        window.show();
        window.Command2[0]->click();
        ok &= save(window, folder, QStringLiteral("frmSort"));
        QDir::setCurrent(before);
    }
    {
        frmRetrieve window(platform);
        ok &= save(window, folder, QStringLiteral("frmRetrieve"));
    }
    return ok ? 0 : 1;
}

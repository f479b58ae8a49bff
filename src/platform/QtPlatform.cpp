#include "platform/QtPlatform.h"

#include "core/files.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QUrl>

#include <cerrno>
#include <cstring>

namespace quillmark {

QString boxText(const QString& text)
{
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

QString qtNameFilter(const QString& entry)
{
    const qsizetype bar = entry.indexOf(QLatin1Char('|'));
    const QString description = bar < 0 ? entry : entry.left(bar);
    QString pattern = bar < 0 ? QStringLiteral("*") : entry.mid(bar + 1);
    if (pattern == QLatin1String("*.*"))
        pattern = QStringLiteral("*");
    const qsizetype open = description.lastIndexOf(QLatin1Char('('));
    const QString label = open < 0 ? description.trimmed() : description.left(open).trimmed();
    return label + QStringLiteral(" (") + pattern + QLatin1Char(')');
}

int QtPlatform::messageBox(QWidget* parent, const QString& text, int style, const QString& title)
{
    QMessageBox box(parent);
    box.setWindowTitle(title);
    box.setText(boxText(text));
    switch (style & 0x70) {
    case 16:
        box.setIcon(QMessageBox::Critical);
        break;
    case 32:
        box.setIcon(QMessageBox::Question);
        break;
    case 48:
        box.setIcon(QMessageBox::Warning);
        break;
    case 64:
        box.setIcon(QMessageBox::Information);
        break;
    default:
        box.setIcon(QMessageBox::NoIcon);
    }
    struct Choice
    {
        QMessageBox::StandardButton button;
        int answer;
    };
    QList<Choice> choices;
    switch (style & 0x7) {
    case 1:
        choices = { { QMessageBox::Ok, 1 }, { QMessageBox::Cancel, 2 } };
        break;
    case 3:
        choices = { { QMessageBox::Yes, 6 }, { QMessageBox::No, 7 }, { QMessageBox::Cancel, 2 } };
        break;
    case 4:
        choices = { { QMessageBox::Yes, 6 }, { QMessageBox::No, 7 } };
        break;
    default:
        choices = { { QMessageBox::Ok, 1 } };
    }
    QMessageBox::StandardButtons buttons;
    for (const auto& choice : choices)
        buttons |= choice.button;
    box.setStandardButtons(buttons);
    box.setDefaultButton(choices.first().button);
    // Closing the box by its title bar answers as its last button does (No, Cancel or OK).
    box.setEscapeButton(choices.last().button);
    box.exec();
    const auto clicked = box.standardButton(box.clickedButton());
    for (const auto& choice : choices) {
        if (choice.button == clicked)
            return choice.answer;
    }
    return choices.last().answer;
}

QString QtPlatform::chooseFile(QWidget* parent, const QStringList& filters, int filterIndex, int dialogType)
{
    if (dialogType != 1)
        return {};
    QStringList nameFilters;
    for (const auto& entry : filters)
        nameFilters << qtNameFilter(entry);
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // Any name may be typed: the same dialog names the files a tool writes.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(nameFilters);
    if (filterIndex >= 1 && filterIndex <= nameFilters.size())
        dialog.selectNameFilter(nameFilters.at(filterIndex - 1));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}

void QtPlatform::setBusyPointer(bool busy)
{
    if (busy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        ++m_busyDepth;
    } else {
        while (m_busyDepth > 0) {
            QApplication::restoreOverrideCursor();
            --m_busyDepth;
        }
    }
}

void QtPlatform::setWindowBusy(QWidget* window, bool busy)
{
    if (!window)
        return;
    if (busy)
        window->setCursor(Qt::WaitCursor);
    else
        window->unsetCursor();
}

QDateTime QtPlatform::now()
{
    return QDateTime::currentDateTime();
}

bool QtPlatform::startProgram(const QString& program, const QStringList& arguments, QString* error)
{
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setStandardInputFile(QProcess::nullDevice());
    if (process.startDetached())
        return true;
    if (error)
        *error = process.errorString();
    return false;
}

bool QtPlatform::openDocument(const QString& path, QString* error)
{
    if (!QFileInfo::exists(path)) {
        if (error)
            *error = path + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(ENOENT));
        return false;
    }
    if (QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath())))
        return true;
    if (error)
        *error = QStringLiteral("No application is available to open ") + path + QLatin1Char('.');
    return false;
}

bool QtPlatform::isExistingFile(const QString& path)
{
    return core::isExistingFile(path.toStdString());
}

QString QtPlatform::programFolder()
{
    return QCoreApplication::applicationDirPath();
}

QString QtPlatform::documentsFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

QSize QtPlatform::screenSize()
{
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        return screen->size();
    return { 1024, 768 };
}

double QtPlatform::logicalDpiX()
{
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        return screen->logicalDotsPerInchX();
    return 96.0;
}

double QtPlatform::logicalDpiY()
{
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        return screen->logicalDotsPerInchY();
    return 96.0;
}

QString QtPlatform::currentDirectory()
{
    return QDir::currentPath();
}

bool QtPlatform::setCurrentDirectory(const QString& path, QString* error)
{
    if (QDir::setCurrent(path))
        return true;
    if (error) {
        const int code = QFileInfo::exists(path) ? ENOTDIR : ENOENT;
        *error = path + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(code));
    }
    return false;
}

} // namespace quillmark

#include "platform/ScriptedPlatform.h"

#include "core/files.h"

#include <QDir>
#include <QtGlobal>

namespace quillmark {

void ScriptedPlatform::setClock(const QDateTime& start, int stepSeconds)
{
    m_clock = start;
    m_clockStep = stepSeconds;
}

void ScriptedPlatform::setScreen(QSize pixels, double dpi)
{
    m_screen = pixels;
    m_dpi = dpi;
}

void ScriptedPlatform::clearRecords()
{
    m_boxes.clear();
    m_choosers.clear();
    m_started.clear();
    m_documents.clear();
    m_pointer.clear();
    m_windowPointer.clear();
    m_clockReadings = 0;
}

int ScriptedPlatform::messageBox(QWidget*, const QString& text, int style, const QString& title)
{
    m_boxes.append({ text, style, title });
    if (!m_boxAnswers.isEmpty())
        return m_boxAnswers.dequeue();
    switch (style & 0x7) {
    case 0:
        return 1;
    case 1:
    case 3:
        qWarning("ScriptedPlatform: no answer queued for the box \"%s\"", qPrintable(text));
        return 2;
    default:
        qWarning("ScriptedPlatform: no answer queued for the box \"%s\"", qPrintable(text));
        return 7;
    }
}

QString ScriptedPlatform::chooseFile(QWidget*, const QStringList& filters, int filterIndex, int dialogType)
{
    m_choosers.append({ filters, filterIndex, dialogType });
    if (m_fileAnswers.isEmpty()) {
        qWarning("ScriptedPlatform: no answer queued for the file chooser");
        return {};
    }
    return m_fileAnswers.dequeue();
}

QDateTime ScriptedPlatform::now()
{
    ++m_clockReadings;
    const QDateTime reading = m_clock;
    m_clock = m_clock.addSecs(m_clockStep);
    return reading;
}

bool ScriptedPlatform::startProgram(const QString& program, const QStringList& arguments, QString* error)
{
    m_started.append({ program, arguments });
    if (!m_startFailures.isEmpty()) {
        const QString description = m_startFailures.dequeue();
        if (error)
            *error = description;
        return false;
    }
    return true;
}

bool ScriptedPlatform::openDocument(const QString& path, QString* error)
{
    m_documents.append(path);
    if (!m_startFailures.isEmpty()) {
        const QString description = m_startFailures.dequeue();
        if (error)
            *error = description;
        return false;
    }
    return true;
}

bool ScriptedPlatform::isExistingFile(const QString& path)
{
    const auto found = m_existing.constFind(path);
    if (found != m_existing.constEnd())
        return found.value();
    return core::isExistingFile(path.toStdString());
}

QString ScriptedPlatform::currentDirectory()
{
    return QDir::currentPath();
}

bool ScriptedPlatform::setCurrentDirectory(const QString& path, QString* error)
{
    if (QDir::setCurrent(path))
        return true;
    if (error)
        *error = path + QStringLiteral(": No such file or directory");
    return false;
}

} // namespace quillmark

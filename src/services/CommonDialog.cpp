#include "services/CommonDialog.h"

#include "platform/Platform.h"

#include <QStringList>
#include <QWidget>

namespace quillmark {

CommonDialog::CommonDialog(Platform& platform, QWidget* window)
    : QObject(window)
    , m_platform(platform)
    , m_window(window)
{
    setObjectName(QStringLiteral("CommonDialog1"));
}

bool CommonDialog::setAction(int nType)
{
    if (nType != 1)
        return false;
    const QStringList parts = Filter.split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        entries << parts.at(i) + QLatin1Char('|') + parts.at(i + 1);
    const QString chosen = m_platform.chooseFile(m_window, entries, FilterIndex, nType);
    if (chosen.isEmpty())
        return !CancelError;
    filename = chosen;
    return true;
}

} // namespace quillmark

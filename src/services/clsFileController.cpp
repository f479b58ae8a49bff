#include "services/clsFileController.h"

#include "services/CommonDialog.h"

#include <QWidget>

namespace quillmark {

const QString clsFileController::kFilter = QStringLiteral(
    "All Files (*.*)|*.*|Text files (*.txt)|*.txt|Address File (*.adr)|*.adr|Newsgroup File (*.nsg)|*.nsg");

clsFileController::clsFileController(Platform& platform)
    : m_platform(platform)
{
}

QString clsFileController::GetFileName(QWidget* frmForm, int nType)
{
    if (!frmForm)
        return {};
    auto* dialog = frmForm->findChild<CommonDialog*>(QStringLiteral("CommonDialog1"), Qt::FindDirectChildrenOnly);
    if (!dialog)
        return {};
    dialog->CancelError = true;
    dialog->filename = QString();
    dialog->Filter = kFilter;
    dialog->FilterIndex = 1;
    if (!dialog->setAction(nType))
        return {};
    return dialog->filename;
}

} // namespace quillmark

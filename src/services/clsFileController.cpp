#include "services/clsFileController.h"

#include "core/check.h"
#include "core/error.h"
#include "platform/Paths.h"
#include "platform/Platform.h"
#include "services/CommonDialog.h"

#include <QApplication>
#include <QWidget>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace quillmark {

namespace {
    const QString kOpenTitle = QStringLiteral("Open File");
    const QString kSaveTitle = QStringLiteral("Save File");
}

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

QByteArray clsFileController::openTextFile(const QString& sFileName)
{
    const std::string path = pathBytes(sFileName);
    m_platform.setBusyPointer(true);
    // Non-blocking, so that a FIFO's name does not hang the program waiting for a writer.
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0 && errno == ENOENT)
        fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) {
        showFailure(sFileName, errno, kOpenTitle);
        return {};
    }

    QByteArray text;
    struct stat info;
    int failure = 0;
    if (::fstat(fd, &info) != 0) {
        failure = errno;
    } else {
        // A directory reports a size but refuses the read; a device or a FIFO has no length and gives "".
        const qsizetype wanted = qsizetype(std::min<off_t>(info.st_size, kTextLimit));
        text.resize(wanted);
        qsizetype done = 0;
        while (done < wanted) {
            const ssize_t got = ::read(fd, text.data() + done, size_t(wanted - done));
            if (got < 0) {
                if (errno == EINTR)
                    continue;
                failure = errno;
                break;
            }
            if (got == 0)
                break; // the file shrank since its length was taken
            done += got;
        }
        text.truncate(done);
    }
    ::close(fd);
    if (failure != 0) {
        showFailure(sFileName, failure, kOpenTitle);
        return {};
    }
    m_platform.setBusyPointer(false);
    return text;
}

void clsFileController::saveTextFile(const QString& sFileName, const QByteArray& sText)
{
    if (m_platform.isExistingFile(sFileName)) {
        const int answer = m_platform.messageBox(QApplication::activeWindow(),
            QStringLiteral("The file ") + sFileName + QStringLiteral(" already existing, do you want to replace it?"),
            core::kYesNo + core::kQuestion, kSaveTitle);
        if (answer != core::kAnswerYes)
            return;
    }

    const std::string path = pathBytes(sFileName);
    m_platform.setBusyPointer(true);
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) {
        showFailure(sFileName, errno, kSaveTitle);
        return;
    }
    const char* data = sText.constData();
    qsizetype left = sText.size();
    int failure = 0;
    while (left > 0) {
        const ssize_t written = ::write(fd, data, size_t(left));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            failure = errno;
            break;
        }
        data += written;
        left -= written;
    }
    // A full disk or a network file system may report the lost write only here.
    if (::close(fd) != 0 && failure == 0 && errno != EINTR)
        failure = errno;
    if (failure != 0) {
        showFailure(sFileName, failure, kSaveTitle);
        return;
    }
    m_platform.setBusyPointer(false);
}

void clsFileController::showFailure(const QString& sFileName, int code, const QString& title)
{
    const core::RunError error { pathBytes(sFileName), std::error_code(code, std::generic_category()) };
    m_platform.setBusyPointer(false);
    m_platform.messageBox(QApplication::activeWindow(), pathText(error.message()), core::kExclamation, title);
}

} // namespace quillmark

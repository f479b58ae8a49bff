#include "core/output.h"

#include "core/error.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillmark::core {

OutputFile::OutputFile(std::string path, std::size_t bufferSize)
    : m_path(std::move(path))
    , m_buffer(new char[bufferSize == 0 ? 1 : bufferSize])
    , m_capacity(bufferSize == 0 ? 1 : bufferSize)
{
    m_fd = ::open(m_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (m_fd < 0)
        throwErrno(m_path);
}

OutputFile::~OutputFile()
{
    if (m_fd >= 0) {
        try {
            flush();
        } catch (const IoError&) {
        }
        ::close(m_fd);
    }
}

void OutputFile::writeAll(const char* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t done = ::write(m_fd, data, size);
        if (done < 0) {
            if (errno == EINTR)
                continue;
            throwErrno(m_path);
        }
        data += done;
        size -= static_cast<std::size_t>(done);
    }
}

void OutputFile::write(std::string_view bytes)
{
    if (bytes.size() <= m_capacity - m_used) {
        std::char_traits<char>::copy(m_buffer.get() + m_used, bytes.data(), bytes.size());
        m_used += bytes.size();
        return;
    }
    flush();
    if (bytes.size() >= m_capacity) {
        writeAll(bytes.data(), bytes.size());
        return;
    }
    std::char_traits<char>::copy(m_buffer.get(), bytes.data(), bytes.size());
    m_used = bytes.size();
}

void OutputFile::flush()
{
    if (m_used == 0)
        return;
    const std::size_t used = m_used;
    m_used = 0;
    writeAll(m_buffer.get(), used);
}

void OutputFile::close()
{
    if (m_fd < 0)
        return;
    try {
        flush();
    } catch (...) {
        ::close(m_fd);
        m_fd = -1;
        throw;
    }
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0)
        throwErrno(m_path);
}

} // namespace quillmark::core

#include "core/input.h"

#include "core/error.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quillmark::core {

namespace {
    // The first of three bytes in [p, end), or end. Items are short, so one pass over 16 bytes at a time beats
    // three memchr calls.
    inline const char* findFirstOf(const char* p, const char* end, char a, char b, char c)
    {
#if defined(__SSE2__)
        const __m128i wantA = _mm_set1_epi8(a);
        const __m128i wantB = _mm_set1_epi8(b);
        const __m128i wantC = _mm_set1_epi8(c);
        while (end - p >= 16) {
            const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
            const __m128i hits = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(block, wantA), _mm_cmpeq_epi8(block, wantB)),
                _mm_cmpeq_epi8(block, wantC));
            const int mask = _mm_movemask_epi8(hits);
            if (mask != 0)
                return p + __builtin_ctz(static_cast<unsigned>(mask));
            p += 16;
        }
#endif
        for (; p < end; ++p) {
            if (*p == a || *p == b || *p == c)
                return p;
        }
        return end;
    }
}

InputFile::InputFile(std::string path)
    : m_path(std::move(path))
{
    // O_NONBLOCK keeps a FIFO from hanging the open; it is cleared again for ordinary reads.
    m_fd = ::open(m_path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (m_fd < 0)
        throwErrno(m_path);
    struct stat info;
    if (::fstat(m_fd, &info) != 0) {
        const int saved = errno;
        ::close(m_fd);
        m_fd = -1;
        throw IoError(m_path, std::error_code(saved, std::generic_category()));
    }
    if (S_ISDIR(info.st_mode)) {
        ::close(m_fd);
        m_fd = -1;
        throw IoError(m_path, std::make_error_code(std::errc::is_a_directory));
    }
    const int flags = ::fcntl(m_fd, F_GETFL);
    if (flags >= 0)
        ::fcntl(m_fd, F_SETFL, flags & ~O_NONBLOCK);
    m_size = S_ISREG(info.st_mode) ? static_cast<std::int64_t>(info.st_size) : 0;
#ifdef POSIX_FADV_SEQUENTIAL
    ::posix_fadvise(m_fd, 0, 0, POSIX_FADV_SEQUENTIAL);
#endif
}

InputFile::~InputFile()
{
    close();
}

void InputFile::close()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
}

std::size_t InputFile::read(char* buffer, std::size_t n)
{
    for (;;) {
        const ssize_t got = ::read(m_fd, buffer, n);
        if (got >= 0)
            return static_cast<std::size_t>(got);
        if (errno != EINTR)
            throwErrno(m_path);
    }
}

std::string readWholeFile(const std::string& path)
{
    InputFile file(path);
    std::string content;
    content.resize(static_cast<std::size_t>(file.size()));
    std::size_t filled = 0;
    while (filled < content.size()) {
        const std::size_t got = file.read(content.data() + filled, content.size() - filled);
        if (got == 0)
            break; // the file shrank since it was measured
        filled += got;
    }
    content.resize(filled);
    // A file that grew, or one with no size of its own (a pipe), is read to its end.
    char chunk[65536];
    for (;;) {
        const std::size_t got = file.read(chunk, sizeof chunk);
        if (got == 0)
            break;
        content.append(chunk, got);
    }
    return content;
}

ReadBuffer::ReadBuffer(InputFile& file, std::size_t bufferSize)
    : m_file(file)
    , m_buffer(std::max<std::size_t>(bufferSize, 1))
{
}

bool ReadBuffer::fill()
{
    if (m_eof)
        return false;
    if (m_mark > 0) {
        std::memmove(m_buffer.data(), m_buffer.data() + m_mark, m_end - m_mark);
        m_base += static_cast<std::int64_t>(m_mark);
        m_pos -= m_mark;
        m_end -= m_mark;
        m_mark = 0;
    }
    if (m_end == m_buffer.size())
        m_buffer.resize(m_buffer.size() * 2);
    const std::size_t got = m_file.read(m_buffer.data() + m_end, m_buffer.size() - m_end);
    if (got == 0) {
        m_eof = true;
        return false;
    }
    m_end += got;
    return true;
}

bool ReadBuffer::atEnd()
{
    if (m_pos < m_end)
        return false;
    m_mark = m_pos;
    return !fill();
}

void ReadBuffer::skipByteOrderMark()
{
    m_mark = m_pos;
    while (m_end - m_pos < 3 && fill()) {
    }
    if (m_end - m_pos >= 3 && std::memcmp(m_buffer.data() + m_pos, "\xEF\xBB\xBF", 3) == 0)
        m_pos += 3;
}

void ReadBuffer::consumeLineEnd()
{
    const char first = m_buffer[m_pos++];
    if (first != '\r')
        return;
    if (m_pos == m_end && !fill())
        return;
    if (m_buffer[m_pos] == '\n')
        ++m_pos;
}

ItemReader::ItemReader(InputFile& file, std::size_t bufferSize)
    : ReadBuffer(file, bufferSize)
{
    skipByteOrderMark();
}

std::size_t ItemReader::findUnquotedEnd(std::size_t from) const
{
    const char* end = m_buffer.data() + m_end;
    return static_cast<std::size_t>(findFirstOf(m_buffer.data() + from, end, ',', '\r', '\n') - m_buffer.data());
}

std::size_t ItemReader::findQuotedEnd(std::size_t from) const
{
    const char* end = m_buffer.data() + m_end;
    return static_cast<std::size_t>(findFirstOf(m_buffer.data() + from, end, '"', '\r', '\n') - m_buffer.data());
}

bool ItemReader::next(std::string_view& item)
{
    if (atEnd())
        return false;

    // Leading blanks.
    m_mark = m_pos;
    for (;;) {
        if (m_pos == m_end) {
            m_mark = m_pos;
            if (!fill()) {
                item = {};
                return true;
            }
        }
        const char c = m_buffer[m_pos];
        if (c != ' ' && c != '\t')
            break;
        ++m_pos;
    }

    if (m_buffer[m_pos] == '"') {
        ++m_pos;
        m_mark = m_pos;
        std::size_t scanned = m_pos;
        std::size_t stop;
        for (;;) {
            stop = findQuotedEnd(scanned);
            if (stop < m_end)
                break;
            scanned = m_end - m_mark;
            if (!fill()) {
                stop = m_end;
                break;
            }
            scanned += m_mark; // m_mark is 0 after a refill
        }
        const std::size_t textLength = stop - m_mark;
        m_pos = stop;
        if (m_pos < m_end && m_buffer[m_pos] == '"') {
            // Drop whatever follows the closing quote up to the comma or line end.
            ++m_pos;
            for (;;) {
                if (m_pos == m_end && !fill())
                    break;
                const char c = m_buffer[m_pos];
                if (c == ',') {
                    ++m_pos;
                    break;
                }
                if (c == '\r' || c == '\n') {
                    consumeLineEnd();
                    break;
                }
                ++m_pos;
            }
        } else if (m_pos < m_end) {
            consumeLineEnd(); // an unclosed quote ends with its line
        }
        item = std::string_view(m_buffer.data() + m_mark, textLength);
        return true;
    }

    m_mark = m_pos;
    std::size_t scanned = m_pos;
    std::size_t stop;
    for (;;) {
        stop = findUnquotedEnd(scanned);
        if (stop < m_end)
            break;
        scanned = m_end - m_mark;
        if (!fill()) {
            stop = m_end;
            break;
        }
        scanned += m_mark;
    }
    std::size_t textEnd = stop;
    while (textEnd > m_mark && (m_buffer[textEnd - 1] == ' ' || m_buffer[textEnd - 1] == '\t'))
        --textEnd;
    const std::size_t textLength = textEnd - m_mark;
    m_pos = stop;
    if (m_pos < m_end) {
        if (m_buffer[m_pos] == ',')
            ++m_pos;
        else
            consumeLineEnd();
    }
    item = std::string_view(m_buffer.data() + m_mark, textLength);
    return true;
}

LineReader::LineReader(InputFile& file, std::size_t bufferSize)
    : ReadBuffer(file, bufferSize)
{
    skipByteOrderMark();
}

bool LineReader::next(std::string_view& line)
{
    if (atEnd())
        return false;
    m_mark = m_pos;
    std::size_t scanned = m_pos;
    std::size_t stop;
    for (;;) {
        const char* found = findFirstOf(m_buffer.data() + scanned, m_buffer.data() + m_end, '\r', '\n', '\n');
        stop = static_cast<std::size_t>(found - m_buffer.data());
        if (stop < m_end)
            break;
        scanned = m_end - m_mark;
        if (!fill()) {
            stop = m_end;
            break;
        }
        scanned += m_mark;
    }
    const std::size_t length = stop - m_mark;
    m_pos = stop;
    if (m_pos < m_end)
        consumeLineEnd();
    line = std::string_view(m_buffer.data() + m_mark, length);
    return true;
}

} // namespace quillmark::core

#include "FuzzSupport.h"

#include <cstdio>
#include <cstdlib>
#include <sys/mman.h>
#include <unistd.h>

namespace quillmark::fuzz {

MemoryFile::MemoryFile(std::string_view bytes)
{
    m_fd = ::memfd_create("quillmark-fuzz", 0);
    require(m_fd >= 0, "memfd_create");
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t wrote = ::write(m_fd, bytes.data() + done, bytes.size() - done);
        require(wrote > 0, "write");
        done += static_cast<std::size_t>(wrote);
    }
    m_path = "/proc/self/fd/" + std::to_string(m_fd);
}

MemoryFile::~MemoryFile()
{
    ::close(m_fd);
}

std::string MemoryFile::content() const
{
    std::string bytes;
    char chunk[65536];
    for (off_t at = 0;;) {
        const ssize_t got = ::pread(m_fd, chunk, sizeof chunk, at);
        require(got >= 0, "pread");
        if (got == 0)
            break;
        bytes.append(chunk, static_cast<std::size_t>(got));
        at += got;
    }
    return bytes;
}

void require(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "check failed: %s\n", what);
        std::abort();
    }
}

namespace {
    std::size_t skipMark(std::string_view bytes)
    {
        return bytes.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;
    }

    void consumeLineEnd(std::string_view bytes, std::size_t& i)
    {
        if (bytes[i++] == '\r' && i < bytes.size() && bytes[i] == '\n')
            ++i;
    }

    bool isLineEnd(char c) { return c == '\r' || c == '\n'; }
    bool isBlank(char c) { return c == ' ' || c == '\t'; }
}

std::vector<ModelItem> modelItems(std::string_view bytes)
{
    std::vector<ModelItem> items;
    std::size_t i = skipMark(bytes);
    const std::size_t n = bytes.size();
    while (i < n) {
        while (i < n && isBlank(bytes[i]))
            ++i;
        std::string text;
        if (i < n && bytes[i] == '"') {
            ++i;
            while (i < n && bytes[i] != '"' && !isLineEnd(bytes[i]))
                text += bytes[i++];
            if (i < n && bytes[i] == '"') {
                ++i;
                while (i < n && bytes[i] != ',' && !isLineEnd(bytes[i]))
                    ++i;
                if (i < n && bytes[i] == ',')
                    ++i;
                else if (i < n)
                    consumeLineEnd(bytes, i);
            } else if (i < n) {
                consumeLineEnd(bytes, i);
            }
        } else {
            while (i < n && bytes[i] != ',' && !isLineEnd(bytes[i]))
                text += bytes[i++];
            while (!text.empty() && isBlank(text.back()))
                text.pop_back();
            if (i < n && bytes[i] == ',')
                ++i;
            else if (i < n)
                consumeLineEnd(bytes, i);
        }
        items.push_back({ text, static_cast<std::int64_t>(i) + 1 });
    }
    return items;
}

std::vector<ModelItem> modelLines(std::string_view bytes)
{
    std::vector<ModelItem> lines;
    std::size_t i = skipMark(bytes);
    const std::size_t n = bytes.size();
    while (i < n) {
        std::string text;
        while (i < n && !isLineEnd(bytes[i]))
            text += bytes[i++];
        if (i < n)
            consumeLineEnd(bytes, i);
        lines.push_back({ text, static_cast<std::int64_t>(i) + 1 });
    }
    return lines;
}

} // namespace quillmark::fuzz

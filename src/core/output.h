#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <memory>

namespace quillmark::core {

inline constexpr std::size_t kWriteBufferSize = 1 << 20;

// An output file, created anew (an existing file is replaced) and written as raw bytes through a large buffer.
// Every failure throws IoError naming the path. The destructor closes the file, ignoring errors; call close()
// to learn of a failed final write.
class OutputFile
{
public:
    explicit OutputFile(std::string path, std::size_t bufferSize = kWriteBufferSize);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    const std::string& path() const { return m_path; }
    void write(std::string_view bytes);
    // The item followed by CR LF.
    void writeLine(std::string_view item)
    {
        if (m_capacity - m_used >= item.size() + 2) {
            std::char_traits<char>::copy(m_buffer.get() + m_used, item.data(), item.size());
            m_used += item.size();
            m_buffer[m_used++] = '\r';
            m_buffer[m_used++] = '\n';
            return;
        }
        write(item);
        write("\r\n");
    }
    void flush();
    void close();
    int descriptor() const { return m_fd; }

private:
    void writeAll(const char* data, std::size_t size);

    std::string m_path;
    int m_fd = -1;
    // Left uninitialised: a tool that writes many files must not pay for clearing each buffer.
    std::unique_ptr<char[]> m_buffer;
    std::size_t m_capacity;
    std::size_t m_used = 0;
};

} // namespace quillmark::core

#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quillmark::core {

// The default size of a reader's buffer. Readers grow their buffer beyond it for longer items.
inline constexpr std::size_t kReadBufferSize = 1 << 20;

// An input file opened read-only. Opening a directory, a missing file or an unreadable file throws IoError;
// so does a failed read. The file is never written.
class InputFile
{
public:
    explicit InputFile(std::string path);
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    const std::string& path() const { return m_path; }
    // The length in bytes, taken when the file was opened.
    std::int64_t size() const { return m_size; }
    // Reads up to n bytes; 0 at the end of the file. Throws IoError on failure.
    std::size_t read(char* buffer, std::size_t n);
    int descriptor() const { return m_fd; }
    void close();

private:
    std::string m_path;
    int m_fd = -1;
    std::int64_t m_size = 0;
};

// Whole-file reading: every byte of the file, unchanged.
std::string readWholeFile(const std::string& path);

// A buffered window over an input file, shared by the item and line readers.
// Bytes from mark() on stay in the buffer across refills, so a view of the current item stays valid.
class ReadBuffer
{
public:
    ReadBuffer(InputFile& file, std::size_t bufferSize);

    // True when every byte of the file has been consumed.
    bool atEnd();
    // 1-based offset in the file of the next unread byte.
    std::int64_t position() const { return m_base + static_cast<std::int64_t>(m_pos) + 1; }
    // Skips a UTF-8 byte-order mark at the current place.
    void skipByteOrderMark();

protected:
    // Reads more bytes after m_end, keeping [m_mark, m_end). False at the end of the file.
    bool fill();
    // Consumes the line end that starts at m_pos (CR LF, lone CR or lone LF).
    void consumeLineEnd();

    InputFile& m_file;
    std::vector<char> m_buffer;
    std::size_t m_mark = 0;
    std::size_t m_pos = 0;
    std::size_t m_end = 0;
    std::int64_t m_base = 0; // file offset of m_buffer[0]
    bool m_eof = false;
};

// Item reading of an address list. One item:
//  - blanks (space, tab) before it are skipped;
//  - an item that starts with a double quote runs to the next double quote or the end of its line, whichever
//    comes first; its text is kept as it stands; text after the closing quote up to the next comma or line end
//    is dropped;
//  - any other item runs to the next comma or line end, with blanks at its end dropped; a double quote inside
//    it is an ordinary character;
//  - the comma or line end (CR LF, lone CR, lone LF) that ends the item is consumed.
// The end test comes before each read: an empty file gives no item, a blank line one empty item, "a," at the
// very end of the file only "a". A UTF-8 byte-order mark at the start of the file is skipped.
class ItemReader : public ReadBuffer
{
public:
    explicit ItemReader(InputFile& file, std::size_t bufferSize = kReadBufferSize);

    // The next item, or false at the end of the file. The view is valid until the next call.
    bool next(std::string_view& item);

private:
    // Index of the first byte in [from, m_end) equal to one of the stops, or m_end.
    std::size_t findUnquotedEnd(std::size_t from) const;
    std::size_t findQuotedEnd(std::size_t from) const;
};

// Whole-line reading: each line without its line end (CR LF, lone CR or lone LF), commas included.
// A last line without a line end is a line; a file ending in a line end gives no empty line after it.
// A UTF-8 byte-order mark at the start of the file is skipped.
class LineReader : public ReadBuffer
{
public:
    explicit LineReader(InputFile& file, std::size_t bufferSize = kReadBufferSize);

    bool next(std::string_view& line);
};

} // namespace quillmark::core

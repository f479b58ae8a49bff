#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace quillmark::core {

// Answers "does this item occur anywhere in the text?" exactly as a plain search of the whole text would, for
// many items against one text. Built once over the text (which must outlive the index); contains() may be
// called from several threads at once.
//
// It keeps a suffix array of the text with a table of where each first two bytes start in it. In front of that
// stand two quick answers: a hash table of the text's whole lines (an item that is a whole line occurs), and a
// bit filter of the text's 16-byte substrings (an item with a 16-byte piece that occurs nowhere does not).
class SubstringIndex
{
public:
    explicit SubstringIndex(std::string_view text);
    ~SubstringIndex();
    SubstringIndex(const SubstringIndex&) = delete;
    SubstringIndex& operator=(const SubstringIndex&) = delete;

    bool contains(std::string_view item) const;

private:
    bool filterRejects(std::string_view item) const;
    bool isWholeLine(std::string_view item) const;
    bool searchSuffixes(std::string_view item) const;

    std::string_view m_text;
    std::vector<std::int32_t> m_suffixes;
    std::vector<std::uint32_t> m_bucketStart; // by first byte * 257 + (second byte + 1, or 0 at the text's end)
    std::vector<std::uint64_t> m_filter;
    unsigned m_filterShift = 64;
    struct Line
    {
        std::uint64_t hash;
        std::uint32_t offset;
        std::uint32_t length;
    };
    std::vector<Line> m_lines; // open addressing; length 0 marks a free slot
    std::uint64_t m_lineMask = 0;
    bool m_bytePresent[256] = {};
    bool m_plain = false; // a text too large for the index is searched plainly
};

} // namespace quillmark::core

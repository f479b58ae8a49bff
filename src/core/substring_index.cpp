#include "core/substring_index.h"

#include <divsufsort.h>

#include <algorithm>
#include <cstring>
#include <limits>

namespace quillmark::core {

namespace {
    constexpr std::size_t kGram = 16;
    constexpr std::size_t kBuckets = 256 * 257 + 1;

    inline std::uint64_t gramHash(const char* bytes)
    {
        std::uint64_t first, second;
        std::memcpy(&first, bytes, sizeof first);
        std::memcpy(&second, bytes + 8, sizeof second);
        return (first * 0x9E3779B97F4A7C15ULL) ^ ((second ^ (second >> 29)) * 0xBF58476D1CE4E5B9ULL);
    }

    inline std::uint64_t bytesHash(std::string_view bytes)
    {
        std::uint64_t hash = 0xCBF29CE484222325ULL ^ bytes.size();
        std::size_t i = 0;
        for (; i + 8 <= bytes.size(); i += 8) {
            std::uint64_t word;
            std::memcpy(&word, bytes.data() + i, sizeof word);
            hash = (hash ^ word) * 0x100000001B3ULL;
            hash ^= hash >> 32;
        }
        std::uint64_t tail = 0;
        std::memcpy(&tail, bytes.data() + i, bytes.size() - i);
        hash = (hash ^ tail) * 0x9E3779B97F4A7C15ULL;
        return hash ^ (hash >> 31);
    }

    inline std::size_t bucketOf(const unsigned char* text, std::size_t length, std::size_t at)
    {
        return static_cast<std::size_t>(text[at]) * 257 + (at + 1 < length ? text[at + 1] + 1u : 0u);
    }
}

SubstringIndex::SubstringIndex(std::string_view text)
    : m_text(text)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t length = text.size();
    for (std::size_t i = 0; i < length; ++i)
        m_bytePresent[bytes[i]] = true;
    if (length < 2)
        return; // one byte or none: the byte table answers everything
    if (length > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max() - 1)) {
        m_plain = true;
        return;
    }

    m_suffixes.resize(length);
    if (divsufsort(bytes, m_suffixes.data(), static_cast<saidx_t>(length)) != 0) {
        m_suffixes.clear();
        m_plain = true;
        return;
    }

    m_bucketStart.assign(kBuckets + 1, 0);
    for (std::size_t i = 0; i < length; ++i)
        ++m_bucketStart[bucketOf(bytes, length, i) + 1];
    for (std::size_t k = 1; k <= kBuckets; ++k)
        m_bucketStart[k] += m_bucketStart[k - 1];

    // The whole lines, for the common case of an address that stands alone on a line of the text.
    std::size_t lineCount = 0;
    for (std::size_t i = 0; i < length; ++i)
        lineCount += bytes[i] == '\n' || (bytes[i] == '\r' && (i + 1 == length || bytes[i + 1] != '\n'));
    std::size_t slots = 16;
    while (slots < (lineCount + 1) * 2)
        slots *= 2;
    m_lines.assign(slots, Line { 0, 0, 0 });
    m_lineMask = slots - 1;
    for (std::size_t begin = 0; begin < length;) {
        std::size_t end = begin;
        while (end < length && bytes[end] != '\r' && bytes[end] != '\n')
            ++end;
        if (end > begin) {
            const std::string_view line = text.substr(begin, end - begin);
            const std::uint64_t hash = bytesHash(line);
            std::uint64_t slot = hash & m_lineMask;
            while (m_lines[slot].length != 0
                && !(m_lines[slot].hash == hash && m_lines[slot].length == line.size()
                    && std::memcmp(text.data() + m_lines[slot].offset, line.data(), line.size()) == 0))
                slot = (slot + 1) & m_lineMask;
            m_lines[slot] = Line { hash, static_cast<std::uint32_t>(begin), static_cast<std::uint32_t>(line.size()) };
        }
        begin = end + 1;
    }

    if (length >= kGram) {
        // About one bit in eight set, so an absent piece is seldom mistaken for a present one.
        unsigned bits = 16;
        while (bits < 31 && (std::size_t(1) << bits) < length * 8)
            ++bits;
        m_filter.assign((std::size_t(1) << bits) / 64, 0);
        m_filterShift = 64 - bits;
        for (std::size_t i = 0; i + kGram <= length; ++i) {
            const std::uint64_t slot = gramHash(text.data() + i) >> m_filterShift;
            m_filter[slot >> 6] |= std::uint64_t(1) << (slot & 63);
        }
    }
}

SubstringIndex::~SubstringIndex() = default;

bool SubstringIndex::isWholeLine(std::string_view item) const
{
    if (m_lines.empty())
        return false;
    const std::uint64_t hash = bytesHash(item);
    for (std::uint64_t slot = hash & m_lineMask;; slot = (slot + 1) & m_lineMask) {
        const Line& line = m_lines[slot];
        if (line.length == 0)
            return false;
        if (line.hash == hash && line.length == item.size()
            && std::memcmp(m_text.data() + line.offset, item.data(), item.size()) == 0)
            return true;
    }
}

bool SubstringIndex::filterRejects(std::string_view item) const
{
    if (m_filter.empty() || item.size() < kGram)
        return false;
    auto absent = [this, &item](std::size_t at) {
        const std::uint64_t slot = gramHash(item.data() + at) >> m_filterShift;
        return (m_filter[slot >> 6] & (std::uint64_t(1) << (slot & 63))) == 0;
    };
    // Pieces that do not overlap first, then the last one.
    std::size_t at = 0;
    for (; at + kGram <= item.size(); at += kGram) {
        if (absent(at))
            return true;
    }
    return at != item.size() && absent(item.size() - kGram);
}

bool SubstringIndex::searchSuffixes(std::string_view item) const
{
    const auto* text = reinterpret_cast<const unsigned char*>(m_text.data());
    const std::size_t length = m_text.size();
    const auto* pattern = reinterpret_cast<const unsigned char*>(item.data());
    const std::size_t bucket = static_cast<std::size_t>(pattern[0]) * 257 + pattern[1] + 1u;
    std::size_t low = m_bucketStart[bucket];
    std::size_t high = m_bucketStart[bucket + 1];
    if (low == high)
        return false;
    const unsigned char* rest = pattern + 2;
    const std::size_t restLength = item.size() - 2;
    if (restLength == 0)
        return true;
    // Every suffix in the bucket starts with the item's first two bytes; find the first not below the item.
    while (low < high) {
        const std::size_t mid = low + (high - low) / 2;
        const std::size_t start = static_cast<std::size_t>(m_suffixes[mid]) + 2;
        const std::size_t available = length - start;
        const std::size_t compared = std::min(available, restLength);
        const int order = std::memcmp(text + start, rest, compared);
        if (order < 0 || (order == 0 && compared < restLength))
            low = mid + 1;
        else
            high = mid;
    }
    if (low == m_bucketStart[bucket + 1])
        return false;
    const std::size_t start = static_cast<std::size_t>(m_suffixes[low]) + 2;
    return length - start >= restLength && std::memcmp(text + start, rest, restLength) == 0;
}

bool SubstringIndex::contains(std::string_view item) const
{
    if (item.empty())
        return true;
    if (item.size() > m_text.size())
        return false;
    if (item.size() == 1)
        return m_bytePresent[static_cast<unsigned char>(item[0])];
    if (m_plain)
        return m_text.find(item) != std::string_view::npos;
    if (isWholeLine(item))
        return true;
    if (filterRejects(item))
        return false;
    return searchSuffixes(item);
}

} // namespace quillmark::core

#include "core/sorter.h"

#include "core/files.h"
#include "core/input.h"
#include "core/output.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <memory>
#include <sys/mman.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quillmark::core {

namespace {

int compareBytes(std::string_view a, std::string_view b)
{
    const std::size_t common = std::min(a.size(), b.size());
    if (common > 0) {
        if (const int c = std::memcmp(a.data(), b.data(), common))
            return c;
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

std::string_view keyOf(std::string_view line, const SortKey& key)
{
    const std::size_t from = std::min(key.start - 1, line.size());
    return line.substr(from, std::min(key.length, line.size() - from));
}

} // namespace

int compareLines(std::string_view a, std::string_view b, const SortKey& key)
{
    if (key.start > 1) {
        if (const int c = compareBytes(keyOf(a, key), keyOf(b, key)))
            return c;
    }
    // With the key at the start of the line, key order then line order is simply line order.
    return compareBytes(a, b);
}

std::size_t defaultMemoryBudget()
{
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long pageSize = ::sysconf(_SC_PAGE_SIZE);
    if (pages <= 0 || pageSize <= 0)
        return std::size_t(1) << 30;
    return static_cast<std::size_t>(pages) / 4 * static_cast<std::size_t>(pageSize);
}

namespace {

// Offsets and lengths into one chunk's buffer are 32-bit, which keeps a record at 16 bytes.
constexpr std::size_t kMaxChunkBytes = (std::size_t(1) << 32) - 64;
constexpr std::size_t kSmallGroup = 24;

// A large block straight from the kernel. Huge pages, where the system offers them on request, save most of
// the page faults of filling hundreds of megabytes.
class PageBlock
{
public:
    PageBlock() = default;
    explicit PageBlock(std::size_t bytes)
        : m_size(std::max<std::size_t>(bytes, 1))
    {
        void* p = ::mmap(nullptr, m_size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (p == MAP_FAILED)
            throw std::bad_alloc();
#ifdef MADV_HUGEPAGE
        if (m_size >= (std::size_t(8) << 20))
            ::madvise(p, m_size, MADV_HUGEPAGE);
#endif
        m_data = static_cast<char*>(p);
    }
    ~PageBlock()
    {
        if (m_data)
            ::munmap(m_data, m_size);
    }
    PageBlock(PageBlock&& other) noexcept
        : m_data(std::exchange(other.m_data, nullptr))
        , m_size(std::exchange(other.m_size, 0))
    {
    }
    PageBlock& operator=(PageBlock&& other) noexcept
    {
        std::swap(m_data, other.m_data);
        std::swap(m_size, other.m_size);
        return *this;
    }

    char* data() const
    {
        return m_data;
    }

private:
    char* m_data = nullptr;
    std::size_t m_size = 0;
};

// One line of a chunk. key caches eight bytes of the line's sort text, most significant first, padded with
// zero bytes; off and len locate the whole line in the chunk's buffer.
struct Record
{
    std::uint64_t key;
    std::uint32_t off;
    std::uint32_t len;
};

std::uint64_t loadKey(const char* p, std::size_t available)
{
    std::uint64_t value = 0;
    std::memcpy(&value, p, std::min<std::size_t>(available, 8));
    if constexpr (std::endian::native == std::endian::little)
        value = __builtin_bswap64(value);
    return value;
}

// compareBytes of a and b from byte from on, eight bytes at a time: lines mostly differ within a word or two,
// where a library call would cost more than the comparison.
inline int compareTails(std::string_view a, std::string_view b, std::size_t from)
{
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = from; i < common; i += 8) {
        const std::size_t n = std::min<std::size_t>(8, common - i);
        const std::uint64_t x = loadKey(a.data() + i, n), y = loadKey(b.data() + i, n);
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

// The in-memory sort of one chunk. The sort text of a line is the line itself when the key starts at the
// first byte (the order is then plain line order) and the key bytes otherwise, ties broken by the line.
class ChunkSorter
{
public:
    ChunkSorter(const char* base, const SortKey& key)
        : m_base(base)
        , m_key(key)
        , m_wholeLine(key.start <= 1)
    {
    }

    std::string_view line(const Record& r) const { return { m_base + r.off, r.len }; }

    std::string_view sortText(const Record& r) const { return m_wholeLine ? line(r) : keyOf(line(r), m_key); }

    std::uint64_t keyAt(const Record& r, std::size_t offset) const
    {
        const std::string_view text = sortText(r);
        if (offset >= text.size())
            return 0;
        return loadKey(text.data() + offset, text.size() - offset);
    }

    // Full order for records whose sort texts agree before offset and whose keys hold the bytes at offset.
    bool less(const Record& a, const Record& b, std::size_t offset) const
    {
        if (a.key != b.key)
            return a.key < b.key;
        const std::string_view ta = sortText(a), tb = sortText(b);
        const std::size_t from = std::min({ offset + 8, ta.size(), tb.size() });
        if (const int c = compareTails(ta, tb, from))
            return c < 0;
        return !m_wholeLine && compareBytes(line(a), line(b)) < 0;
    }

    void insertionSort(Record* a, std::size_t n, std::size_t offset) const
    {
        for (std::size_t i = 1; i < n; ++i) {
            const Record value = a[i];
            std::size_t j = i;
            while (j > 0 && less(value, a[j - 1], offset)) {
                a[j] = a[j - 1];
                --j;
            }
            a[j] = value;
        }
    }

    // Sorts records that agree on the sort text before offset and on the key's bytes before bytePos.
    void sort(Record* a, std::size_t n, unsigned bytePos, std::size_t offset) const
    {
        for (;;) {
            if (n <= kSmallGroup) {
                insertionSort(a, n, offset);
                return;
            }
            if (bytePos == 8) {
                // Every key here is equal. Texts that end within these eight bytes are beginnings of the
                // others, so they come first; the rest go on with their next eight bytes.
                const std::size_t end = offset + 8;
                Record* rest = std::partition(a, a + n, [&](const Record& r) { return sortText(r).size() <= end; });
                const std::size_t ended = static_cast<std::size_t>(rest - a);
                if (m_wholeLine) {
                    std::sort(a, rest, [](const Record& x, const Record& y) { return x.len < y.len; });
                } else {
                    std::sort(a, rest, [&](const Record& x, const Record& y) {
                        const std::size_t lx = sortText(x).size(), ly = sortText(y).size();
                        if (lx != ly)
                            return lx < ly;
                        return compareBytes(line(x), line(y)) < 0;
                    });
                }
                a = rest;
                n -= ended;
                offset = end;
                for (std::size_t i = 0; i < n; ++i)
                    a[i].key = keyAt(a[i], offset);
                bytePos = 0;
                continue;
            }
            const unsigned shift = 56 - 8 * bytePos;
            std::size_t count[256] = {};
            for (std::size_t i = 0; i < n; ++i)
                ++count[(a[i].key >> shift) & 0xFF];
            if (count[(a[0].key >> shift) & 0xFF] == n) {
                ++bytePos; // one bucket only: nothing to move at this byte
                continue;
            }
            std::size_t head[256], tail[256];
            std::size_t sum = 0;
            for (unsigned b = 0; b < 256; ++b) {
                head[b] = sum;
                sum += count[b];
                tail[b] = sum;
            }
            for (unsigned b = 0; b < 256; ++b) {
                while (head[b] < tail[b]) {
                    Record value = a[head[b]];
                    unsigned d = (value.key >> shift) & 0xFF;
                    while (d != b) {
                        std::swap(value, a[head[d]++]);
                        d = (value.key >> shift) & 0xFF;
                    }
                    a[head[b]++] = value;
                }
            }
            std::size_t start = 0;
            for (unsigned b = 0; b < 256; ++b) {
                if (count[b] > 1)
                    sort(a + start, count[b], bytePos + 1, offset);
                start += count[b];
            }
            return;
        }
    }

private:
    const char* m_base;
    SortKey m_key;
    bool m_wholeLine;
};

// Calls f(offset, length) for every non-empty line of data[0, n): a line is a run of bytes that are neither CR
// nor LF. Blank lines, and the empty piece between CR and LF, are thereby dropped.
template <class F> void forEachLine(const char* data, std::size_t n, F&& f)
{
    std::size_t start = 0;
    std::size_t i = 0;
#if defined(__SSE2__)
    const __m128i cr = _mm_set1_epi8('\r'), lf = _mm_set1_epi8('\n');
    for (; i + 16 <= n; i += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
        unsigned mask = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(block, cr), _mm_cmpeq_epi8(block, lf))));
        while (mask) {
            const std::size_t pos = i + static_cast<std::size_t>(__builtin_ctz(mask));
            if (pos > start)
                f(start, pos - start);
            start = pos + 1;
            mask &= mask - 1;
        }
    }
#endif
    for (; i < n; ++i) {
        if (data[i] == '\r' || data[i] == '\n') {
            if (i > start)
                f(start, i - start);
            start = i + 1;
        }
    }
    if (n > start)
        f(start, n - start);
}

// Just after the first line end at or past data[from], or n when there is none.
std::size_t splitPoint(const char* data, std::size_t n, std::size_t from)
{
    for (std::size_t i = from; i < n; ++i) {
        if (data[i] == '\r' || data[i] == '\n')
            return i + 1;
    }
    return n;
}

unsigned workerCount(unsigned requested)
{
    if (requested > 0)
        return requested;
    return std::clamp(std::thread::hardware_concurrency(), 1u, 2u);
}

// Runs f(0) .. f(parts-1), the first on this thread.
template <class F> void inParallel(unsigned parts, F&& f)
{
    std::vector<std::thread> others;
    std::exception_ptr failure;
    for (unsigned p = 1; p < parts; ++p)
        others.emplace_back([&, p] {
            try {
                f(p);
            } catch (...) {
                failure = std::current_exception();
            }
        });
    try {
        f(0);
    } catch (...) {
        for (auto& t : others)
            t.join();
        throw;
    }
    for (auto& t : others)
        t.join();
    if (failure)
        std::rethrow_exception(failure);
}

// Where sorted lines go: the output and the duplicates file, or one run file that keeps every copy.
class LineSink
{
public:
    virtual ~LineSink() = default;
    // Lines arrive in sort order.
    virtual void add(std::string_view line) = 0;
};

class FinalSink : public LineSink
{
public:
    FinalSink(const SorterParams& params, SorterResult& result)
        : m_output(params.outputPath)
        , m_duplicates(params.duplicatesPath)
        , m_result(result)
    {
    }

    void add(std::string_view line) override
    {
        if (m_hasLast && line == std::string_view(m_last)) {
            m_duplicates.writeLine(line);
            ++m_result.duplicates;
            return;
        }
        m_output.writeLine(line);
        ++m_result.written;
        m_last.assign(line.data(), line.size());
        m_hasLast = true;
    }

    // The in-memory path knows the previous line's bytes stay put; it skips the copy.
    void addStable(std::string_view line, std::string_view previous, bool hasPrevious)
    {
        if (hasPrevious && line == previous) {
            m_duplicates.writeLine(line);
            ++m_result.duplicates;
        } else {
            m_output.writeLine(line);
            ++m_result.written;
        }
    }

    void close()
    {
        m_output.close();
        m_duplicates.close();
    }

private:
    OutputFile m_output;
    OutputFile m_duplicates;
    SorterResult& m_result;
    std::string m_last;
    bool m_hasLast = false;
};

class RunSink : public LineSink
{
public:
    explicit RunSink(const std::string& path)
        : m_file(path)
    {
    }
    void add(std::string_view line) override { m_file.writeLine(line); }
    void close() { m_file.close(); }

private:
    OutputFile m_file;
};

// Temporary run files beside the output, removed when the sort ends however it ends.
class RunFiles
{
public:
    explicit RunFiles(const std::string& outputPath)
        : m_outputPath(outputPath)
    {
        const std::filesystem::path parent = std::filesystem::path(outputPath).parent_path();
        m_pattern = (parent.empty() ? std::string(".") : parent.string()) + "/.sortrun-XXXXXX";
    }
    ~RunFiles()
    {
        for (const auto& path : m_paths)
            ::unlink(path.c_str());
    }

    std::string create()
    {
        std::string path = m_pattern;
        const int fd = ::mkstemp(path.data());
        if (fd < 0)
            throwErrno(m_outputPath); // the output's folder is where the runs must go
        ::close(fd);
        m_paths.push_back(path);
        return path;
    }

    void remove(const std::string& path)
    {
        ::unlink(path.c_str());
        m_paths.erase(std::find(m_paths.begin(), m_paths.end(), path));
    }

private:
    std::string m_outputPath;
    std::string m_pattern;
    std::vector<std::string> m_paths;
};

// Where chunks of whole lines come from.
class ChunkSource
{
public:
    virtual ~ChunkSource() = default;
    // Makes the next chunk ready; false when the input is exhausted. data()[0, size()) then holds whole lines.
    virtual bool next() = 0;
    virtual const char* data() const = 0;
    virtual std::size_t size() const = 0;
    // Only the first n bytes of the chunk were used; the rest comes again with the next chunk.
    virtual void take(std::size_t n) = 0;
    virtual bool exhausted() const = 0;
};

// Reads the input in chunks of whole lines that fit the budget.
class ChunkReader : public ChunkSource
{
public:
    ChunkReader(InputFile& file, std::size_t dataLimit)
        : m_file(file)
        , m_limit(dataLimit)
    {
    }

    bool next() override
    {
        if (m_taken < m_used) {
            std::memmove(m_buffer.data(), m_buffer.data() + m_taken, m_used - m_taken);
        }
        m_used -= m_taken;
        m_taken = 0;
        m_complete = 0;
        if (m_eof && m_used == 0)
            return false;
        if (!m_buffer.data()) {
            // A file of known size gets a buffer no larger than it needs.
            const std::size_t want = m_file.size() > 0
                ? std::min<std::size_t>(m_limit, static_cast<std::size_t>(m_file.size()) + 1)
                : std::min<std::size_t>(m_limit, kReadBufferSize);
            allocate(std::max<std::size_t>(want, 64));
        }
        for (;;) {
            while (!m_eof && m_used < m_capacity) {
                const std::size_t got = m_file.read(m_buffer.data() + m_used, m_capacity - m_used);
                if (got == 0)
                    m_eof = true;
                m_used += got;
            }
            if (m_first) {
                m_first = false;
                if (m_used >= 3 && std::memcmp(m_buffer.data(), "\xEF\xBB\xBF", 3) == 0) {
                    std::memmove(m_buffer.data(), m_buffer.data() + 3, m_used - 3);
                    m_used -= 3;
                    continue; // refill the three bytes
                }
            }
            if (m_eof) {
                m_complete = m_used;
                break;
            }
            std::size_t end = m_used;
            while (end > 0 && m_buffer.data()[end - 1] != '\r' && m_buffer.data()[end - 1] != '\n')
                --end;
            if (end > 0) {
                m_complete = end;
                break;
            }
            // One line longer than the buffer (or a buffer still smaller than the limit): grow it.
            if (m_capacity >= kMaxChunkBytes)
                throw IoError(m_file.path(), std::make_error_code(std::errc::file_too_large));
            allocate(std::min(kMaxChunkBytes, m_capacity * 2));
        }
        return m_complete > 0 || !m_eof || m_used > 0;
    }

    const char* data() const override { return m_buffer.data(); }
    std::size_t size() const override { return m_complete; }
    void take(std::size_t n) override { m_taken = n; }
    bool exhausted() const override { return m_eof && m_taken == m_used; }

private:
    void allocate(std::size_t capacity)
    {
        PageBlock bigger(capacity);
        if (m_used > 0)
            std::memcpy(bigger.data(), m_buffer.data(), m_used);
        m_buffer = std::move(bigger);
        m_capacity = capacity;
    }

    InputFile& m_file;
    std::size_t m_limit;
    PageBlock m_buffer;
    std::size_t m_capacity = 0;
    std::size_t m_used = 0;
    std::size_t m_complete = 0;
    std::size_t m_taken = 0;
    bool m_eof = false;
    bool m_first = true;
};

constexpr std::size_t kTopBuckets = 1 << 16;

struct SortedChunk
{
    PageBlock block;
    Record* records = nullptr;
    std::size_t count = 0;
};

// Finds the lines of data[0, n), sorts them and returns the records in order. At most maxLines lines are
// taken; *used tells how many bytes of data they cover.
SortedChunk sortChunk(
    const char* data, std::size_t n, std::size_t maxLines, const SortKey& key, unsigned workers, std::size_t* used)
{
    const ChunkSorter sorter(data, key);
    const bool wholeLine = key.start <= 1;
    auto topDigit = [&](std::size_t off, std::size_t len) -> std::size_t {
        const char* p = data + off;
        std::size_t available = len;
        if (!wholeLine) {
            const std::size_t from = std::min(key.start - 1, len);
            p += from;
            available = std::min(key.length, len - from);
        }
        const unsigned char b0 = available > 0 ? static_cast<unsigned char>(p[0]) : 0;
        const unsigned char b1 = available > 1 ? static_cast<unsigned char>(p[1]) : 0;
        return (std::size_t(b0) << 8) | b1;
    };

    // Cut the chunk when it holds more lines than the budget has room for.
    std::size_t lines = 0;
    std::size_t end = n;
    {
        std::size_t found = 0;
        bool full = false;
        std::size_t cut = n;
        forEachLine(data, n, [&](std::size_t off, std::size_t len) {
            if (full)
                return;
            if (found == maxLines) {
                full = true;
                cut = off;
                return;
            }
            ++found;
            (void)len;
        });
        lines = found;
        end = cut;
    }
    *used = end;

    // Split into parts at line ends; each part counts its lines per top bucket, then places them.
    const unsigned parts = (end > (1 << 20)) ? workers : 1;
    std::vector<std::size_t> bounds { 0 };
    for (unsigned p = 1; p < parts; ++p) {
        const std::size_t target = std::max(bounds.back(), end / parts * p);
        bounds.push_back(target + splitPoint(data + target, end - target, 0));
    }
    bounds.push_back(end);

    std::vector<std::vector<std::size_t>> counts(parts, std::vector<std::size_t>(kTopBuckets, 0));
    inParallel(parts, [&](unsigned p) {
        auto& mine = counts[p];
        forEachLine(data + bounds[p], bounds[p + 1] - bounds[p],
            [&](std::size_t off, std::size_t len) { ++mine[topDigit(bounds[p] + off, len)]; });
    });

    std::vector<std::size_t> bucketStart(kTopBuckets + 1, 0);
    {
        std::size_t sum = 0;
        for (std::size_t b = 0; b < kTopBuckets; ++b) {
            bucketStart[b] = sum;
            for (unsigned p = 0; p < parts; ++p) {
                const std::size_t c = counts[p][b];
                counts[p][b] = sum; // now the next free place of part p in bucket b
                sum += c;
            }
        }
        bucketStart[kTopBuckets] = sum;
        lines = sum;
    }

    SortedChunk chunk;
    chunk.count = lines;
    chunk.block = PageBlock(std::max<std::size_t>(lines, 1) * sizeof(Record));
    chunk.records = reinterpret_cast<Record*>(chunk.block.data());
    Record* records = chunk.records;
    inParallel(parts, [&](unsigned p) {
        auto& next = counts[p];
        const std::size_t base = bounds[p];
        forEachLine(data + base, bounds[p + 1] - base, [&](std::size_t off, std::size_t len) {
            Record r { 0, static_cast<std::uint32_t>(base + off), static_cast<std::uint32_t>(len) };
            r.key = sorter.keyAt(r, 0);
            records[next[topDigit(base + off, len)]++] = r;
        });
    });

    // Whole top buckets are shared out to the workers, largest first.
    std::vector<std::size_t> order;
    for (std::size_t b = 0; b < kTopBuckets; ++b) {
        if (bucketStart[b + 1] - bucketStart[b] > 1)
            order.push_back(b);
    }
    std::sort(order.begin(), order.end(), [&](std::size_t x, std::size_t y) {
        return bucketStart[x + 1] - bucketStart[x] > bucketStart[y + 1] - bucketStart[y];
    });
    std::atomic<std::size_t> nextBucket { 0 };
    inParallel(lines > (1 << 14) ? workers : 1, [&](unsigned) {
        for (;;) {
            const std::size_t i = nextBucket.fetch_add(1, std::memory_order_relaxed);
            if (i >= order.size())
                return;
            const std::size_t b = order[i];
            sorter.sort(records + bucketStart[b], bucketStart[b + 1] - bucketStart[b], 2, 0);
        }
    });
    return chunk;
}

void writeChunk(const char* data, const SortedChunk& chunk, FinalSink* final, RunSink* run)
{
    const Record* records = chunk.records;
    std::string_view previous;
    for (std::size_t i = 0; i < chunk.count; ++i) {
        if (i + 16 < chunk.count)
            __builtin_prefetch(data + records[i + 16].off);
        const std::string_view line(data + records[i].off, records[i].len);
        if (final)
            final->addStable(line, previous, i > 0);
        else
            run->add(line);
        previous = line;
    }
}

// Merges sorted run files into the sink, smallest line first; equal lines keep coming one after the other.
void mergeRuns(const std::vector<std::string>& runs, LineSink& sink, const SortKey& key, std::size_t bufferSize)
{
    struct Cursor
    {
        std::unique_ptr<InputFile> file;
        std::unique_ptr<LineReader> reader;
        std::string_view line;
    };
    std::vector<Cursor> cursors;
    cursors.reserve(runs.size());
    for (const auto& path : runs) {
        Cursor c;
        c.file = std::make_unique<InputFile>(path);
        c.reader = std::make_unique<LineReader>(*c.file, bufferSize);
        if (c.reader->next(c.line))
            cursors.push_back(std::move(c));
    }
    // A binary heap of cursor indices, smallest line on top.
    std::vector<std::size_t> heap;
    auto greater
        = [&](std::size_t x, std::size_t y) { return compareLines(cursors[x].line, cursors[y].line, key) > 0; };
    for (std::size_t i = 0; i < cursors.size(); ++i)
        heap.push_back(i);
    std::make_heap(heap.begin(), heap.end(), greater);
    while (!heap.empty()) {
        std::pop_heap(heap.begin(), heap.end(), greater);
        const std::size_t top = heap.back();
        sink.add(cursors[top].line);
        if (cursors[top].reader->next(cursors[top].line)) {
            std::push_heap(heap.begin(), heap.end(), greater);
        } else {
            heap.pop_back();
            cursors[top].reader.reset();
            cursors[top].file.reset();
        }
    }
}

bool samePath(const std::string& a, const std::string& b)
{
    if (a == b)
        return true;
    std::error_code ignored;
    const auto ca = std::filesystem::weakly_canonical(a, ignored);
    const auto cb = std::filesystem::weakly_canonical(b, ignored);
    return (!ca.empty() && ca == cb) || isSameFile(a, b);
}

} // namespace

SorterResult runSorter(const SorterParams& params, ProgressSink& progress)
{
    SorterResult result;
    try {
        if (params.key.start == 0)
            throw IoError("/K", std::make_error_code(std::errc::invalid_argument));
        if (!params.outputPath.empty() && samePath(params.outputPath, params.duplicatesPath))
            throw IoError(params.duplicatesPath, std::make_error_code(std::errc::invalid_argument));
        const std::size_t budget = params.memoryBudget ? params.memoryBudget : defaultMemoryBudget();
        const unsigned workers = workerCount(params.threads);
        // Half the budget for line bytes at most; the records take the rest.
        const std::size_t dataLimit = std::clamp<std::size_t>(budget / 2, 64, kMaxChunkBytes);

        InputFile input(params.inputPath);
        // The input is read, never mapped: a file that another program shortens during the sort must give an
        // error or its bytes as read, not bring the program down.
        std::unique_ptr<ChunkSource> source = std::make_unique<ChunkReader>(input, dataLimit);
        ChunkSource& reader = *source;
        RunFiles runFiles(params.outputPath);
        std::vector<std::string> runs;
        bool wroteFinal = false;
        while (reader.next()) {
            const std::size_t room = budget > reader.size() ? budget - reader.size() : 0;
            const std::size_t maxLines = std::max<std::size_t>(room / sizeof(Record), 1);
            std::size_t used = 0;
            SortedChunk chunk = sortChunk(reader.data(), reader.size(), maxLines, params.key, workers, &used);
            reader.take(used);
            if (runs.empty() && reader.exhausted()) {
                // Everything fit at once: straight to the output.
                progress.phase(1);
                FinalSink final(params, result);
                writeChunk(reader.data(), chunk, &final, nullptr);
                final.close();
                wroteFinal = true;
                break;
            }
            const std::string path = runFiles.create();
            RunSink run(path);
            writeChunk(reader.data(), chunk, nullptr, &run);
            run.close();
            runs.push_back(path);
            ++result.runs;
        }
        source.reset();
        input.close();

        if (!wroteFinal) {
            progress.phase(1);
            const std::size_t fanIn = std::clamp<std::size_t>(budget / (64 << 10), 2, 64);
            const std::size_t bufferSize = std::clamp<std::size_t>(budget / (fanIn + 2), 4096, kReadBufferSize);
            while (runs.size() > fanIn) {
                std::vector<std::string> group(runs.begin(), runs.begin() + static_cast<std::ptrdiff_t>(fanIn));
                const std::string path = runFiles.create();
                {
                    RunSink merged(path);
                    mergeRuns(group, merged, params.key, bufferSize);
                    merged.close();
                }
                for (const auto& done : group)
                    runFiles.remove(done);
                runs.erase(runs.begin(), runs.begin() + static_cast<std::ptrdiff_t>(fanIn));
                runs.push_back(path);
            }
            FinalSink final(params, result);
            mergeRuns(runs, final, params.key, bufferSize);
            final.close();
        }
        progress.phase(2);
    } catch (const IoError& failure) {
        result.error = failure.error();
    } catch (const std::bad_alloc&) {
        result.error = RunError { params.inputPath, std::make_error_code(std::errc::not_enough_memory) };
    } catch (const std::system_error& failure) {
        result.error = RunError { params.inputPath, failure.code() };
    }
    return result;
}

} // namespace quillmark::core

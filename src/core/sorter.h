#pragma once

#include "core/error.h"
#include "core/progress.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quillmark::core {

// The key of /K=start,length: bytes start to start+length-1 of a line (1-based), cut short by the line's end.
struct SortKey
{
    std::size_t start = 1;
    std::size_t length = 30;
};

// The sort order: key bytes first, ties broken by the whole line; bytes compare as unsigned values, a shorter
// text that is the beginning of a longer one comes first. Negative, zero or positive like memcmp.
int compareLines(std::string_view a, std::string_view b, const SortKey& key);

// What the sorter reads and writes. The input is read as whole lines (CR LF, lone CR or lone LF end a line; a
// last line without a line end is a line; a UTF-8 byte-order mark at the very start is skipped). Blank lines are
// dropped. The output gets every distinct line once, in sort order; the duplicates file gets every further copy
// of a line, one line each, so that the two files together hold exactly the input's non-blank lines. Both are
// written with CR LF line ends, created anew, and only opened after the whole input has been read.
struct SorterParams
{
    std::string inputPath;
    std::string outputPath;
    std::string duplicatesPath;
    SortKey key;
    // Bytes of memory the sorter may hold for lines; above it, sorted runs go to temporary files beside the
    // output and are merged. 0 means a quarter of the physical memory.
    std::size_t memoryBudget = 0;
    // Worker threads for the in-memory sort; 0 means one per core, at most two.
    unsigned threads = 0;
};

struct SorterResult
{
    std::int64_t written = 0; // distinct lines written to the output
    std::int64_t duplicates = 0; // lines written to the duplicates file
    std::int64_t runs = 0; // sorted runs spilled to temporary files (0 when everything fit in memory)
    std::optional<RunError> error;
};

// The budget used when SorterParams::memoryBudget is 0: a quarter of the physical memory.
std::size_t defaultMemoryBudget();

// Sorts and de-duplicates as described above. Progress: phase(1) after the input has been read and sorted,
// phase(2) when the output is complete. A failure (unreadable input, an output that cannot be created, no
// room) comes back as the error; temporary run files are removed on every path.
SorterResult runSorter(const SorterParams& params, ProgressSink& progress = nullProgress());

} // namespace quillmark::core

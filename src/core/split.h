#pragma once

#include "core/check.h"
#include "core/error.h"
#include "core/files.h"
#include "core/input.h"
#include "core/progress.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillmark::core {

// The Split tool: an address list copied item by item into numbered files of a fixed number of items each.
struct SplitParams
{
    std::string inputPath; // read item by item
    std::int32_t limit = 0; // items per file; 0 or less is never reached, so every item goes to file 1
    std::string baseName; // as typed; may be empty
    std::string folder; // where the numbered files go
    std::size_t readBufferSize = kReadBufferSize;
};

// One numbered file the run has finished: the items it holds and its path.
struct SplitFile
{
    std::int64_t count = 0;
    std::string path;
};

struct SplitResult
{
    std::vector<SplitFile> files; // in the order they were written
    std::optional<RunError> error;
};

// What the Split run reports as it goes: each file as it is finished, before the next one is started.
class SplitProgress : public ProgressSink
{
public:
    virtual void fileWritten(const SplitFile& file) { (void)file; }
};

// The title of the Split window's check box, and of its run-time error box (the per-file number included).
inline constexpr const char* kSplitCheckTitle = "Remove File";
inline constexpr const char* kSplitErrorTitle = "Extract File";

// The default per-file text and base name.
inline constexpr const char* kSplitDefaultNumber = "10000";
inline constexpr const char* kSplitDefaultBase = "Spliter";

// The path of numbered file number: folder, a slash, the base name, the number in decimal digits, ".txt".
std::string splitFilePath(const std::string& folder, const std::string& baseName, std::int64_t number);

// A list entry: the count in digits, " addresses to ", the path ("4 addresses to /home/ann/Spliter3.txt").
std::string splitEntryText(const SplitFile& file);

// The checks before a run, in order: the input is an existing file; the input is none of the files the run
// could write, that is none of the files in the folder named the base name, a number and ".txt" (by any name:
// links count), since creating that file anew would cut the input short while it is read. The base name and
// the number are not examined.
std::optional<CheckFailure> checkSplit(const SplitParams& params, const FileLookup& exists);

// The per-file text turned into the limit: a whole number, blanks around it and a sign allowed, that fits in 32
// bits. Either limit or failure (the error box's text) is set.
struct SplitLimit
{
    std::optional<std::int32_t> limit;
    std::string failure;
};
SplitLimit convertSplitLimit(std::string_view text);

// The run. Opens the input; each output file is created anew when its first item comes, so N items give
// ceil(N / limit) files and an empty input none. A base name holding a slash fails when its first file would be
// created: the files stay in the folder. On failure the files finished so far are in files, and every file
// written so far stays on disk, a part-written one included.
SplitResult runSplit(const SplitParams& params, SplitProgress& progress);
SplitResult runSplit(const SplitParams& params);

} // namespace quillmark::core

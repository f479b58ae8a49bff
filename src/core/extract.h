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

// The Extract tool: the items of several lists that contain a keyword (Extract), or that do not (Un-Extract).
struct ExtractParams
{
    std::vector<std::string> inputs; // read item by item, first to last; the same file may come twice
    std::string outputPath; // created anew
    std::string keyword; // as typed: no trimming, case counts; may be empty
    bool unExtract = false; // false: keep the items holding the keyword; true: keep the others
    std::size_t readBufferSize = kReadBufferSize;
};

struct ExtractResult
{
    std::int64_t written = 0; // items written to the output
    std::optional<RunError> error;
};

// The titles of the Extract window's check boxes: the empty list (a box without icon), an input path that is
// not a file.
inline constexpr const char* kExtractListTitle = "Extracting";
inline constexpr const char* kExtractPathTitle = "Remove File";
// The title of the run-time error box.
inline constexpr const char* kExtractErrorTitle = "Extract File";

// The checks before a run, in order: the list has an entry; each entry is an existing file (first failure in
// list order); the output is none of the inputs. Neither the output path nor the keyword is examined.
std::optional<CheckFailure> checkExtract(const ExtractParams& params, const FileLookup& exists);

// The keyword test: keyword occurs anywhere in item, bytes compared exactly. An empty keyword is found in every
// item, the empty item included.
bool containsKeyword(std::string_view item, std::string_view keyword);

// The run. Opens the output first, then each input in turn; every item that passes the test is written with
// CR LF. Progress: count() of the written items every 10000 items read and at the end of each input. On failure
// the count is the one reached and the output keeps what was written.
ExtractResult runExtract(const ExtractParams& params, ProgressSink& progress = nullProgress());

} // namespace quillmark::core

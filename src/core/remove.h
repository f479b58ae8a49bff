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

namespace quillmark::core {

// The Remove tool: the items of an address list that do not occur anywhere in the remove list's whole content.
struct RemoveParams
{
    std::string listPath;   // the address list, read item by item
    std::string removePath; // the remove list, read whole
    std::string newPath;    // the new list, created anew
    std::size_t readBufferSize = kReadBufferSize;
};

struct RemoveResult
{
    std::int64_t removed = 0; // items found in the remove text
    std::int64_t written = 0; // items written to the new list
    std::optional<RunError> error;
};

// The title of the Remove tool's check boxes, and of its run-time error box.
inline constexpr const char* kRemoveCheckTitle = "Remove File";
inline constexpr const char* kRemoveErrorTitle = "Remove";

// The checks before a run, in order: the address list, then the remove list, each present and an existing
// file; then the new list may not be either input. The first failure, or nothing when the run may start.
std::optional<CheckFailure> checkRemove(const RemoveParams& params, const FileLookup& exists);

// The run. Progress: percent() on the first item read and whenever the written count has reached the next
// multiple of 500, before that item is handled. On failure the counts are those reached and the new list keeps
// what was written.
RemoveResult runRemove(const RemoveParams& params, ProgressSink& progress = nullProgress());

// The matching rule: item occurs in text, bytes compared exactly. The plain search, kept as the reference.
bool occursIn(std::string_view text, std::string_view item);

} // namespace quillmark::core

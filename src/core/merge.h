#pragma once

#include "core/check.h"
#include "core/error.h"
#include "core/files.h"
#include "core/progress.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quillmark::core {

// The block size of a merge that cannot hand the copy to the kernel: the most memory a merge holds.
inline constexpr std::size_t kMergeBlockSize = 1 << 20;

// The Merge tool: the inputs' bytes, unchanged and in list order, one after the other in a new file.
struct MergeParams
{
    std::vector<std::string> inputs; // copied whole, first to last; the same file may come twice
    std::string outputPath; // created anew
    std::size_t blockSize = kMergeBlockSize;
    // Let the kernel copy between the files where it can. Off by default: on ext4, which copies through the page
    // cache rather than sharing blocks, the kernel's copy measured about half again slower than 1 MiB blocks.
    bool kernelCopy = false;
};

struct MergeResult
{
    std::int64_t bytes = 0; // bytes written to the output
    std::optional<RunError> error;
};

// The titles of the Merge window's check boxes: the empty list, an input path that is not a file.
inline constexpr const char* kMergeListTitle = "Merge Files";
inline constexpr const char* kMergePathTitle = "Remove File";
// The title of the run-time error box.
inline constexpr const char* kMergeErrorTitle = "Merge File";

// The checks before a run, in order: the list has an entry; each entry is an existing file (first failure in
// list order); the output is none of the inputs. The output path itself is not examined, not even for being
// empty: that fails in the run.
std::optional<CheckFailure> checkMerge(const MergeParams& params, const FileLookup& exists);

// The run. Opens the output first, then each input in turn, copying it in blocks of at most blockSize bytes (or
// by the kernel) up to its end, so no file is ever held whole. Progress: percent() of the bytes copied against
// the inputs' sizes taken at the start, after each block. On failure the output keeps what was written.
MergeResult runMerge(const MergeParams& params, ProgressSink& progress = nullProgress());

} // namespace quillmark::core

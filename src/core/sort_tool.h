#pragma once

#include "core/check.h"
#include "core/error.h"
#include "core/files.h"
#include "core/progress.h"
#include "core/sorter.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quillmark::core {

// The Sort and de-duplicate tool: the inputs, byte for byte in list order, go into the work file "merglist.tmp"
// in the output's folder; the sorter then writes its sorted lines without duplicates under the output name and
// every extra copy into "duplist.tmp" beside it.

// The title of the tool's check boxes, and of its run-time error box.
inline constexpr const char* kSortCheckTitle = "Sorting";
inline constexpr const char* kSortErrorTitle = "Sort File";
inline constexpr const char* kMergeListName = "merglist.tmp";
inline constexpr const char* kDupListName = "duplist.tmp";

// The folder part of pathName: the text up to and including its last "/", or "" when it holds none.
std::string setOutputDir(const std::string& pathName);

// True when path names an existing directory (links followed).
bool isExistingDirectory(const std::string& path);

// Where a run with this output text puts its files. directory is the output text's folder part made absolute
// against workingDirectory (an output text without "/" sorts into the working directory itself) and ends in "/".
struct SortWorkFiles
{
    std::string directory;
    std::string sortFileName; // the output text after its last "/"
    std::string outputPath; // directory + sortFileName
    std::string mergeListPath; // directory + "merglist.tmp"
    std::string dupListPath; // directory + "duplist.tmp"
};
SortWorkFiles sortWorkFiles(const std::string& outputText, const std::string& workingDirectory);

struct SortParams
{
    std::string outputText; // the output path as typed
    std::vector<std::string> inputs; // in list order
};

// The checks before a run, in order: the output text's folder part names an existing directory ("" passes: the
// working directory); there is at least one input; each input is an existing file; then neither the output nor
// a work file of this run may be an input, and the output may not be a work file. The first failure, or nothing.
// isFile and isDirectory are the lookups of the caller (the window's platform, or the command line's own).
std::optional<CheckFailure> checkSort(const SortParams& params, const std::string& workingDirectory,
    const FileLookup& isFile, const FileLookup& isDirectory);

struct SortRunParams
{
    std::vector<std::string> inputs;
    SortWorkFiles files;
    std::size_t memoryBudget = 0; // the sorter's, 0 for its default
    unsigned threads = 0;
};

struct SortResult
{
    std::int64_t written = 0; // distinct lines in the output
    std::int64_t duplicates = 0; // lines in the duplicates file
    std::optional<RunError> error;
};

// The run: "merglist.tmp" created anew and filled with every input's bytes in list order, streamed in blocks;
// phase(1) once it is complete; then the sorter from "merglist.tmp" to the output and "duplist.tmp". Nothing is
// reported as done unless every step succeeded: the first failure stops the run and comes back as the error.
SortResult runSort(const SortRunParams& params, ProgressSink& progress = nullProgress());

} // namespace quillmark::core

#pragma once

#include "core/check.h"
#include "core/error.h"
#include "core/files.h"
#include "core/input.h"
#include "core/progress.h"

#include <cstdint>
#include <optional>
#include <string>

namespace quillmark::core {

// The bracket scan: every piece of a line from a "<" to the next ">", brackets included, one per line.
struct BracketScanParams
{
    std::string inputPath; // any text, read line by line
    std::string outputPath; // the pieces, created anew
    std::size_t readBufferSize = kReadBufferSize;
};

struct BracketScanResult
{
    std::int64_t count = 0; // complete pieces written; an unclosed "<" writes its rest without counting it
    std::optional<RunError> error;
};

// The Start checks (see checkScan): input, output box, output not the input.
std::optional<CheckFailure> checkBracketScan(const BracketScanParams& params, const FileLookup& exists);

// The run. Progress: at most one percent() per line read, when the read position has reached step * 500 (step
// counting the updates made, from 0), so the first line always updates. On failure the count is the one reached
// and the output keeps what was written.
BracketScanResult runBracketScan(const BracketScanParams& params, ProgressSink& progress = nullProgress());

} // namespace quillmark::core

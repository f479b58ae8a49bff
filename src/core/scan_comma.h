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

// The comma-separated scan: every piece of a line that a comma ends, and the rest of the line after its last
// comma (the whole line when it holds none), each without the spaces at its ends, one per line.
struct CommaScanParams
{
    std::string inputPath; // any text, read line by line
    std::string outputPath; // the tokens, created anew
    std::size_t readBufferSize = kReadBufferSize;
};

struct CommaScanResult
{
    std::int64_t count = 0; // tokens written
    std::optional<RunError> error;
};

// The Start checks (see checkScan): input, output box, output not the input.
std::optional<CheckFailure> checkCommaScan(const CommaScanParams& params, const FileLookup& exists);

// The run. A piece that a comma ends is written even when it is empty (an empty line); the rest of a line is
// written only when something other than spaces remains. Tabs and quotes stay in a token. Progress: percent()
// whenever the count reaches a multiple of 1000, with the read position taken after the token's line was read.
// On failure the count is the one reached and the output keeps what was written.
CommaScanResult runCommaScan(const CommaScanParams& params, ProgressSink& progress = nullProgress());

} // namespace quillmark::core

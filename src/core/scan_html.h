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

// The HTML mailto scan: the text after every "MAILTO:" (letters in any case) up to the next ">" or double quote,
// without the spaces at its ends and in lower case, one per line.
struct HtmlScanParams
{
    std::string inputPath; // the page, read item by item
    std::string outputPath; // the addresses, created anew
    std::size_t readBufferSize = kReadBufferSize;
};

struct HtmlScanResult
{
    std::int64_t count = 0; // addresses written, empty ones included
    std::optional<RunError> error;
};

// The Start checks (see checkScan): input, output box, output not the input.
std::optional<CheckFailure> checkHtmlScan(const HtmlScanParams& params, const FileLookup& exists);

// The run. Item reading cuts a link at a comma. An address with no ">" after it runs to the end of its item,
// and a further "MAILTO:" in that rest gives one more address. Progress: percent() after every item read. On
// failure the count is the one reached and the output keeps what was written.
HtmlScanResult runHtmlScan(const HtmlScanParams& params, ProgressSink& progress = nullProgress());

} // namespace quillmark::core

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

// The mail-folder header scan: the value after the colon of every From header line and, when asked, of every
// Reply-To header line, written one per line exactly as it stands (display name and brackets included).
struct MailScanParams
{
    std::string inputPath; // the mail folder, read item by item
    std::string outputPath; // the list of header values, created anew
    bool takeFrom = true; // "From Field": From lines are taken only when ticked
    bool takeReplyTo = true; // "Reply-To Field"
    std::size_t readBufferSize = kReadBufferSize;
};

struct MailScanResult
{
    std::int64_t count = 0; // header values written
    std::optional<RunError> error;
};

// The Start checks (see checkScan): input, output box, output not the input.
std::optional<CheckFailure> checkMailScan(const MailScanParams& params, const FileLookup& exists);

// The run. An item is a header line when it starts with "FROM:" or "REPLY-TO:", letters in any case; a line cut
// by item reading at a comma only counts with its first piece. Progress: phase(1) once both files are open, then
// percent() after every item read. On failure the count is the one reached and the output keeps what was written.
MailScanResult runMailScan(const MailScanParams& params, ProgressSink& progress = nullProgress());

// The final caption: the count as plain digits.
std::string mailScanCaption(std::int64_t count);

} // namespace quillmark::core

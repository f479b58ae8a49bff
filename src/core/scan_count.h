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

// The address count: the number of items of a list, whatever their text (an empty line is one item, a line
// with two commas three). Nothing is written.
struct AddressCountParams
{
    std::string inputPath; // the list, read item by item
    std::size_t readBufferSize = kReadBufferSize;
};

struct AddressCountResult
{
    std::int64_t count = 0; // items read
    std::optional<RunError> error;
};

// The Start check: the input is an existing file ("Invalid path or filename for input file.", OK only,
// application title). No output is asked for.
std::optional<CheckFailure> checkAddressCount(const AddressCountParams& params, const FileLookup& exists);

// The run. Progress: count() whenever the count reaches a multiple of 1000; no percentage. On failure the count
// is the one reached.
AddressCountResult runAddressCount(const AddressCountParams& params, ProgressSink& progress = nullProgress());

// The running count's caption: plain digits.
std::string runningCountCaption(std::int64_t count);
// The final caption: "Addresses: " and the count with its leading blank.
std::string addressCountCaption(std::int64_t count);

} // namespace quillmark::core

#pragma once

#include "core/check.h"
#include "core/files.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quillmark::core {

// The Retrieve window's boxes carry the application title, checks and run-time errors alike.
inline constexpr const char* kRetrieveTitle = "Quillmark";
inline constexpr const char* kInvalidInputText = "Invalid path or filename for input file.";
inline constexpr const char* kInvalidOutputText = "Invalid path or filename for output file.";
// The completion boxes of the four scans and of counting.
inline constexpr const char* kRetrieveDoneText = "Retrieve Done !";
inline constexpr const char* kCountDoneText = "Count Address Done !";

// The Start checks of a scan, in order: the input is an existing file; the output box is not empty; the output
// is not the input (writing it would empty the input before it is read). Boxes: OK only, application title.
std::optional<CheckFailure> checkScan(const std::string& input, const std::string& output, const FileLookup& exists);

// The final caption of the bracket, comma and HTML scans: the count with its leading blank and " Addresses".
std::string addressesCaption(std::int64_t count);

// ASCII-only case folding: other bytes pass unchanged.
inline char asciiUpper(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}
inline char asciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// True when text starts with upperPrefix, text's letters taken in upper case.
bool startsWithNoCase(std::string_view text, std::string_view upperPrefix);

// The offset of the first place where upperNeedle stands in text, text's letters taken in upper case;
// npos when there is none.
std::size_t findNoCase(std::string_view text, std::string_view upperNeedle);

// text without the space characters (0x20 only) at its two ends.
std::string_view trimSpaces(std::string_view text);

// The percentage of the bar: 1-based read position / length * 100. A file measured empty (it grew after it was
// opened) gives 0 rather than a division by zero.
double readPercent(std::int64_t position, std::int64_t length);

} // namespace quillmark::core

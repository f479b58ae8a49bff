// fsort: sorts a list file and leaves out its duplicate lines.
//
//     fsort /I=merglist.tmp /O=sorted.txt /D=duplist.tmp /K=1,30 [/M=budget]
//
// Switches in any order; file names are taken relative to the working directory. Exit status 0 on success,
// 1 when the sort failed (the reason on standard error), 2 with the usage text for any other command line.

#include "core/sorter.h"

#include <cctype>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

using namespace quillmark::core;

namespace {

constexpr const char* kUsage
    = "usage: fsort /I=input /O=output /D=duplicates [/K=start,length] [/M=bytes[K|M|G]]\n"
      "  Sorts the lines of input by bytes start to start+length-1 (1-based, default 1,30), ties by the whole\n"
      "  line, in unsigned byte order. Writes every distinct line once to output and every further copy to\n"
      "  duplicates, lines ended CR LF; blank lines are dropped. /M sets the memory budget (default a quarter\n"
      "  of the physical memory); above it, sorted runs go to temporary files beside the output.\n";

std::optional<std::size_t> parseNumber(std::string_view text)
{
    std::size_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value;
}

std::optional<SortKey> parseKey(std::string_view text)
{
    const std::size_t comma = text.find(',');
    if (comma == std::string_view::npos)
        return std::nullopt;
    const auto start = parseNumber(text.substr(0, comma));
    const auto length = parseNumber(text.substr(comma + 1));
    if (!start || !length || *start == 0)
        return std::nullopt;
    return SortKey { *start, *length };
}

std::optional<std::size_t> parseBudget(std::string_view text)
{
    std::size_t scale = 1;
    if (!text.empty()) {
        switch (std::toupper(static_cast<unsigned char>(text.back()))) {
        case 'K':
            scale = std::size_t(1) << 10;
            break;
        case 'M':
            scale = std::size_t(1) << 20;
            break;
        case 'G':
            scale = std::size_t(1) << 30;
            break;
        }
        if (scale != 1)
            text.remove_suffix(1);
    }
    const auto value = parseNumber(text);
    if (!value || *value == 0 || *value > SIZE_MAX / scale)
        return std::nullopt;
    return *value * scale;
}

int usage()
{
    std::fputs(kUsage, stderr);
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    SorterParams params;
    bool haveInput = false, haveOutput = false, haveDuplicates = false, haveKey = false, haveBudget = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument(argv[i]);
        if (argument.size() < 3 || argument[0] != '/' || argument[2] != '=')
            return usage();
        const std::string_view value = argument.substr(3);
        switch (std::toupper(static_cast<unsigned char>(argument[1]))) {
        case 'I':
            if (haveInput)
                return usage();
            params.inputPath = value;
            haveInput = true;
            break;
        case 'O':
            if (haveOutput)
                return usage();
            params.outputPath = value;
            haveOutput = true;
            break;
        case 'D':
            if (haveDuplicates)
                return usage();
            params.duplicatesPath = value;
            haveDuplicates = true;
            break;
        case 'K': {
            const auto key = parseKey(value);
            if (haveKey || !key)
                return usage();
            params.key = *key;
            haveKey = true;
            break;
        }
        case 'M': {
            const auto budget = parseBudget(value);
            if (haveBudget || !budget)
                return usage();
            params.memoryBudget = *budget;
            haveBudget = true;
            break;
        }
        default:
            return usage();
        }
    }
    if (!haveInput || !haveOutput || !haveDuplicates)
        return usage();

    const SorterResult result = runSorter(params);
    if (result.error) {
        std::fprintf(stderr, "fsort: %s\n", result.error->message().c_str());
        return 1;
    }
    return 0;
}

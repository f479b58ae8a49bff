#include "core/split.h"

#include "core/output.h"

#include <algorithm>
#include <climits>
#include <filesystem>

namespace quillmark::core {

std::string splitFilePath(const std::string& folder, const std::string& baseName, std::int64_t number)
{
    std::string path = folder;
    if (!path.empty() && path.back() != '/')
        path += '/';
    return path + baseName + std::to_string(number) + ".txt";
}

std::string splitEntryText(const SplitFile& file)
{
    return std::to_string(file.count) + " addresses to " + file.path;
}

namespace {

// The number in name when name is one the run writes: base, a number as the run spells it (digits, no
// leading zero), ".txt". 0 otherwise.
std::int64_t numberOfSplitName(std::string_view name, std::string_view base)
{
    constexpr std::string_view suffix = ".txt";
    if (name.size() <= base.size() + suffix.size() || name.substr(0, base.size()) != base
        || name.substr(name.size() - suffix.size()) != suffix)
        return 0;
    const std::string_view digits = name.substr(base.size(), name.size() - base.size() - suffix.size());
    if (digits.size() > 18 || digits.front() == '0')
        return 0;
    std::int64_t number = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9')
            return 0;
        number = number * 10 + (c - '0');
    }
    return number;
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

} // namespace

std::optional<CheckFailure> checkSplit(const SplitParams& params, const FileLookup& exists)
{
    if (!exists(params.inputPath))
        return CheckFailure { "Invalid path or file name for: \r" + params.inputPath, kExclamation, kSplitCheckTitle };

    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path folder = params.folder.empty() ? fs::path(".") : fs::path(params.folder);
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::int64_t number = numberOfSplitName(it->path().filename().native(), params.baseName);
        if (number == 0)
            continue;
        const std::string path = splitFilePath(params.folder, params.baseName, number);
        if (isSameFile(path, params.inputPath))
            return sameFileFailure(path, kSplitCheckTitle);
    }
    return std::nullopt;
}

SplitLimit convertSplitLimit(std::string_view text)
{
    const std::string quoted = "\"" + std::string(text) + "\".";
    std::string_view rest = text;
    while (!rest.empty() && isBlank(rest.front()))
        rest.remove_prefix(1);
    while (!rest.empty() && isBlank(rest.back()))
        rest.remove_suffix(1);
    bool negative = false;
    if (!rest.empty() && (rest.front() == '+' || rest.front() == '-')) {
        negative = rest.front() == '-';
        rest.remove_prefix(1);
    }
    if (rest.empty() || !std::all_of(rest.begin(), rest.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return { std::nullopt, "Number Per File must be a whole number, not " + quoted };
    std::int64_t value = 0;
    for (const char c : rest) {
        value = value * 10 + (c - '0');
        if (value > std::int64_t { INT32_MAX } + 1)
            break;
    }
    if (negative)
        value = -value;
    if (value > INT32_MAX || value < INT32_MIN)
        return { std::nullopt, "Number Per File is out of range: " + quoted };
    return { static_cast<std::int32_t>(value), {} };
}

SplitResult runSplit(const SplitParams& params)
{
    SplitProgress ignore;
    return runSplit(params, ignore);
}

SplitResult runSplit(const SplitParams& params, SplitProgress& progress)
{
    SplitResult result;
    // A small limit makes many small files: a buffer to fit them spares clearing a large one for each.
    const std::size_t bufferSize = params.limit > 0
        ? std::clamp<std::size_t>(static_cast<std::size_t>(params.limit) * 64, 4096, kWriteBufferSize)
        : kWriteBufferSize;
    const bool badBase = params.baseName.find_first_of(std::string_view("/\0", 2)) != std::string::npos;
    try {
        InputFile input(params.inputPath);
        ItemReader reader(input, params.readBufferSize);
        std::optional<OutputFile> output;
        std::int64_t number = 0;
        std::int64_t count = 0;
        std::string path;
        const auto finish = [&] {
            output->close();
            output.reset();
            result.files.push_back({ count, path });
            progress.fileWritten(result.files.back());
        };
        std::string_view item;
        while (reader.next(item)) {
            if (count == 0) {
                ++number;
                path = splitFilePath(params.folder, params.baseName, number);
                // A slash would put the file outside the folder, or in a folder of that name.
                if (badBase)
                    throw IoError(path, std::make_error_code(std::errc::invalid_argument));
                output.emplace(path, bufferSize);
            }
            output->writeLine(item);
            if (++count == params.limit) {
                finish();
                count = 0;
            }
        }
        input.close();
        if (count > 0)
            finish();
    } catch (const IoError& failure) {
        result.error = failure.error();
    }
    return result;
}

} // namespace quillmark::core

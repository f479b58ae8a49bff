#include "core/extract.h"

#include "core/output.h"

namespace quillmark::core {

std::optional<CheckFailure> checkExtract(const ExtractParams& params, const FileLookup& exists)
{
    if (params.inputs.empty())
        return CheckFailure { "You must add the files you want to extract.", kOkOnly, kExtractListTitle };
    for (const auto& input : params.inputs) {
        if (!exists(input))
            return CheckFailure { "Invalid path or file name for: \r" + input, kExclamation, kExtractPathTitle };
    }
    return checkOutputNotInput(params.outputPath, params.inputs, kExtractListTitle);
}

bool containsKeyword(std::string_view item, std::string_view keyword)
{
    return item.find(keyword) != std::string_view::npos;
}

namespace {

constexpr std::int64_t kProgressItems = 10000;

} // namespace

ExtractResult runExtract(const ExtractParams& params, ProgressSink& progress)
{
    ExtractResult result;
    try {
        OutputFile output(params.outputPath);
        const bool keep = !params.unExtract;
        for (const auto& path : params.inputs) {
            InputFile input(path);
            ItemReader reader(input, params.readBufferSize);
            std::string_view item;
            std::int64_t read = 0;
            while (reader.next(item)) {
                if (containsKeyword(item, params.keyword) == keep) {
                    ++result.written;
                    output.writeLine(item);
                }
                if (++read % kProgressItems == 0)
                    progress.count(result.written);
            }
            input.close();
            progress.count(result.written);
        }
        output.close();
    } catch (const IoError& failure) {
        result.error = failure.error();
    }
    return result;
}

} // namespace quillmark::core

#include "core/remove.h"

#include "core/output.h"
#include "core/substring_index.h"

namespace quillmark::core {

std::optional<CheckFailure> checkRemove(const RemoveParams& params, const FileLookup& exists)
{
    for (const std::string* path : { &params.listPath, &params.removePath }) {
        if (path->empty())
            return CheckFailure { "Invalid path or file name.", kExclamation, kRemoveCheckTitle };
        if (!exists(*path))
            return CheckFailure { "Invalid path or file name .", kExclamation, kRemoveCheckTitle };
    }
    return checkOutputNotInput(params.newPath, { params.listPath, params.removePath }, kRemoveCheckTitle);
}

bool occursIn(std::string_view text, std::string_view item)
{
    return text.find(item) != std::string_view::npos;
}

RemoveResult runRemove(const RemoveParams& params, ProgressSink& progress)
{
    RemoveResult result;
    try {
        const std::string removeText = readWholeFile(params.removePath);
        const SubstringIndex index(removeText);
        OutputFile output(params.newPath);
        InputFile list(params.listPath);
        const double length = static_cast<double>(list.size());
        ItemReader reader(list, params.readBufferSize);
        std::int64_t step = 0;
        std::string_view item;
        while (reader.next(item)) {
            if (result.written == step * 500) {
                ++step;
                progress.percent(static_cast<double>(reader.position()) / length * 100.0);
            }
            if (item.empty())
                continue;
            if (index.contains(item)) {
                ++result.removed;
            } else {
                ++result.written;
                output.writeLine(item);
            }
        }
        list.close();
        output.close();
    } catch (const IoError& failure) {
        result.error = failure.error();
    } catch (const std::bad_alloc&) {
        result.error = RunError { params.removePath, std::make_error_code(std::errc::not_enough_memory) };
    }
    return result;
}

} // namespace quillmark::core

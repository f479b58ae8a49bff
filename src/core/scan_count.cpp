#include "core/scan_count.h"

#include "core/scan_common.h"
#include "core/text.h"

#include <string_view>

namespace quillmark::core {

std::optional<CheckFailure> checkAddressCount(const AddressCountParams& params, const FileLookup& exists)
{
    if (!exists(params.inputPath))
        return CheckFailure { kInvalidInputText, kOkOnly, kRetrieveTitle };
    return std::nullopt;
}

AddressCountResult runAddressCount(const AddressCountParams& params, ProgressSink& progress)
{
    AddressCountResult result;
    try {
        InputFile input(params.inputPath);
        ItemReader reader(input, params.readBufferSize);
        std::string_view item;
        while (reader.next(item)) {
            ++result.count;
            if (result.count % 1000 == 0)
                progress.count(result.count);
        }
        input.close();
    } catch (const IoError& failure) {
        result.error = failure.error();
    } catch (const std::bad_alloc&) {
        result.error = RunError { params.inputPath, std::make_error_code(std::errc::not_enough_memory) };
    }
    return result;
}

std::string runningCountCaption(std::int64_t count)
{
    return std::to_string(count);
}

std::string addressCountCaption(std::int64_t count)
{
    return "Addresses: " + countText(count);
}

} // namespace quillmark::core

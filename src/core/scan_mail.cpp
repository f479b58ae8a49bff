#include "core/scan_mail.h"

#include "core/output.h"
#include "core/scan_common.h"

#include <string_view>

namespace quillmark::core {

std::optional<CheckFailure> checkMailScan(const MailScanParams& params, const FileLookup& exists)
{
    return checkScan(params.inputPath, params.outputPath, exists);
}

MailScanResult runMailScan(const MailScanParams& params, ProgressSink& progress)
{
    static constexpr std::string_view kFrom = "FROM:";
    static constexpr std::string_view kReplyTo = "REPLY-TO:";
    MailScanResult result;
    try {
        InputFile input(params.inputPath);
        const std::int64_t length = input.size();
        OutputFile output(params.outputPath);
        progress.phase(1);
        ItemReader reader(input, params.readBufferSize);
        std::string_view item;
        while (reader.next(item)) {
            progress.percent(readPercent(reader.position(), length));
            // Both names end in their first colon, so the value starts right after the name.
            std::size_t valueStart = 0;
            if (params.takeReplyTo && startsWithNoCase(item, kReplyTo))
                valueStart = kReplyTo.size();
            else if (params.takeFrom && startsWithNoCase(item, kFrom))
                valueStart = kFrom.size();
            if (valueStart == 0)
                continue;
            output.writeLine(item.substr(valueStart));
            ++result.count;
        }
        input.close();
        output.close();
    } catch (const IoError& failure) {
        result.error = failure.error();
    } catch (const std::bad_alloc&) {
        result.error = RunError { params.inputPath, std::make_error_code(std::errc::not_enough_memory) };
    }
    return result;
}

std::string mailScanCaption(std::int64_t count)
{
    return std::to_string(count);
}

} // namespace quillmark::core

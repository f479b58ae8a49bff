#include "core/scan_comma.h"

#include "core/output.h"
#include "core/scan_common.h"

#include <string_view>

namespace quillmark::core {

std::optional<CheckFailure> checkCommaScan(const CommaScanParams& params, const FileLookup& exists)
{
    return checkScan(params.inputPath, params.outputPath, exists);
}

CommaScanResult runCommaScan(const CommaScanParams& params, ProgressSink& progress)
{
    CommaScanResult result;
    try {
        InputFile input(params.inputPath);
        const std::int64_t length = input.size();
        OutputFile output(params.outputPath);
        LineReader reader(input, params.readBufferSize);
        std::string_view line;
        while (reader.next(line)) {
            const std::int64_t position = reader.position();
            const auto writeToken = [&](std::string_view token) {
                output.writeLine(trimSpaces(token));
                ++result.count;
                if (result.count % 1000 == 0)
                    progress.percent(readPercent(position, length));
            };
            for (std::size_t comma = line.find(','); comma != std::string_view::npos; comma = line.find(',')) {
                writeToken(line.substr(0, comma));
                line.remove_prefix(comma + 1);
            }
            // Without this the last address of every line would be lost.
            if (!trimSpaces(line).empty())
                writeToken(line);
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

} // namespace quillmark::core

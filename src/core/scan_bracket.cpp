#include "core/scan_bracket.h"

#include "core/output.h"
#include "core/scan_common.h"

#include <string_view>

namespace quillmark::core {

std::optional<CheckFailure> checkBracketScan(const BracketScanParams& params, const FileLookup& exists)
{
    return checkScan(params.inputPath, params.outputPath, exists);
}

BracketScanResult runBracketScan(const BracketScanParams& params, ProgressSink& progress)
{
    BracketScanResult result;
    try {
        InputFile input(params.inputPath);
        const std::int64_t length = input.size();
        OutputFile output(params.outputPath);
        LineReader reader(input, params.readBufferSize);
        std::int64_t step = 0;
        std::string_view line;
        while (reader.next(line)) {
            const std::int64_t position = reader.position();
            if (position >= step * 500) {
                ++step;
                progress.percent(readPercent(position, length));
            }
            for (std::size_t open = line.find('<'); open != std::string_view::npos; open = line.find('<')) {
                const std::size_t close = line.find('>', open + 1);
                if (close == std::string_view::npos) {
                    output.writeLine(line.substr(open));
                    break;
                }
                output.writeLine(line.substr(open, close - open + 1));
                ++result.count;
                line.remove_prefix(close + 1);
            }
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

#include "core/scan_html.h"

#include "core/output.h"
#include "core/scan_common.h"

#include <string_view>

namespace quillmark::core {

std::optional<CheckFailure> checkHtmlScan(const HtmlScanParams& params, const FileLookup& exists)
{
    return checkScan(params.inputPath, params.outputPath, exists);
}

HtmlScanResult runHtmlScan(const HtmlScanParams& params, ProgressSink& progress)
{
    static constexpr std::string_view kMailto = "MAILTO:";
    HtmlScanResult result;
    try {
        InputFile input(params.inputPath);
        const std::int64_t length = input.size();
        OutputFile output(params.outputPath);
        ItemReader reader(input, params.readBufferSize);
        std::string lowered;
        std::string_view item;
        while (reader.next(item)) {
            progress.percent(readPercent(reader.position(), length));
            for (std::size_t link = findNoCase(item, kMailto); link != std::string_view::npos;
                 link = findNoCase(item, kMailto)) {
                item.remove_prefix(link + kMailto.size());
                std::string_view address = item;
                if (const std::size_t end = item.find('>'); end != std::string_view::npos) {
                    address = item.substr(0, end);
                    item.remove_prefix(end + 1);
                }
                // Without a ">" the item stays as it is, so a later "MAILTO:" in it is still found.
                if (const std::size_t quote = address.find('"'); quote != std::string_view::npos)
                    address = address.substr(0, quote);
                address = trimSpaces(address);
                lowered.assign(address);
                for (char& c : lowered)
                    c = asciiLower(c);
                output.writeLine(lowered);
                ++result.count;
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

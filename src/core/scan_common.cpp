#include "core/scan_common.h"

#include "core/text.h"

namespace quillmark::core {

std::optional<CheckFailure> checkScan(const std::string& input, const std::string& output, const FileLookup& exists)
{
    if (!exists(input))
        return CheckFailure { kInvalidInputText, kOkOnly, kRetrieveTitle };
    if (output.empty())
        return CheckFailure { kInvalidOutputText, kOkOnly, kRetrieveTitle };
    return checkOutputNotInput(output, { input }, kRetrieveTitle);
}

std::string addressesCaption(std::int64_t count)
{
    return countText(count) + " Addresses";
}

bool startsWithNoCase(std::string_view text, std::string_view upperPrefix)
{
    if (text.size() < upperPrefix.size())
        return false;
    for (std::size_t i = 0; i < upperPrefix.size(); ++i) {
        if (asciiUpper(text[i]) != upperPrefix[i])
            return false;
    }
    return true;
}

std::size_t findNoCase(std::string_view text, std::string_view upperNeedle)
{
    if (upperNeedle.empty())
        return 0;
    if (text.size() < upperNeedle.size())
        return std::string_view::npos;
    const std::size_t last = text.size() - upperNeedle.size();
    const char first = upperNeedle.front();
    for (std::size_t i = 0; i <= last; ++i) {
        if (asciiUpper(text[i]) == first && startsWithNoCase(text.substr(i), upperNeedle))
            return i;
    }
    return std::string_view::npos;
}

std::string_view trimSpaces(std::string_view text)
{
    const std::size_t begin = text.find_first_not_of(' ');
    if (begin == std::string_view::npos)
        return {};
    const std::size_t end = text.find_last_not_of(' ');
    return text.substr(begin, end - begin + 1);
}

double readPercent(std::int64_t position, std::int64_t length)
{
    if (length <= 0)
        return 0.0;
    return static_cast<double>(position) / static_cast<double>(length) * 100.0;
}

} // namespace quillmark::core

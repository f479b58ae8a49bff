// The fast substring search must answer exactly as the plain search for every item against every text.
#include "FuzzSupport.h"

#include "core/remove.h"
#include "core/substring_index.h"

#include <fuzzer/FuzzedDataProvider.h>

using namespace quillmark;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider provider(data, size);
    const std::string text = provider.ConsumeRandomLengthString(4096);
    const core::SubstringIndex index(text);
    while (provider.remaining_bytes() > 0) {
        std::string item;
        if (!text.empty() && provider.ConsumeBool()) {
            // A piece of the text, perhaps with one byte changed, hits the interesting cases far more often.
            const auto start = provider.ConsumeIntegralInRange<std::size_t>(0, text.size() - 1);
            const auto length = provider.ConsumeIntegralInRange<std::size_t>(0, 40);
            item = text.substr(start, length);
            if (!item.empty() && provider.ConsumeBool())
                item[provider.ConsumeIntegralInRange<std::size_t>(0, item.size() - 1)] = provider.ConsumeIntegral<char>();
        } else {
            item = provider.ConsumeRandomLengthString(40);
        }
        fuzz::require(index.contains(item) == core::occursIn(text, item), "fast and plain search agree");
    }
    return 0;
}

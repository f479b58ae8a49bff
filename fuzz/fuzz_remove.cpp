// The Remove engine end to end: the new list holds exactly the model's items that the plain search does not
// find, each ended CR LF, and the counts add up.
#include "FuzzSupport.h"

#include "core/remove.h"

#include <fuzzer/FuzzedDataProvider.h>

using namespace quillmark;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider provider(data, size);
    const std::size_t bufferSize = provider.ConsumeIntegralInRange<std::size_t>(1, 9);
    const std::string removeText = provider.ConsumeRandomLengthString(2048);
    const std::string list = provider.ConsumeRemainingBytesAsString();
    fuzz::MemoryFile listFile(list), removeFile(removeText), newFile;

    core::RemoveParams params { listFile.path(), removeFile.path(), newFile.path(), bufferSize };
    const auto result = core::runRemove(params);
    fuzz::require(!result.error, "no failure");

    std::string expected;
    std::int64_t removed = 0, written = 0;
    for (const auto& item : fuzz::modelItems(list)) {
        if (item.text.empty())
            continue;
        if (core::occursIn(removeText, item.text)) {
            ++removed;
        } else {
            ++written;
            expected += item.text + "\r\n";
        }
    }
    fuzz::require(newFile.content() == expected, "new list bytes");
    fuzz::require(result.removed == removed && result.written == written, "counts");
    fuzz::require(listFile.content() == list && removeFile.content() == removeText, "inputs unchanged");
    return 0;
}

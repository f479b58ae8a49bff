// Item and whole-line reading against the byte-by-byte model, at a buffer size the input picks (so that every
// buffer edge is tried) and at the default size.
#include "FuzzSupport.h"

#include "core/input.h"

using namespace quillmark;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::size_t smallBuffer = 1 + data[0] % 7;
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    fuzz::MemoryFile file(bytes);
    const auto items = fuzz::modelItems(bytes);
    const auto lines = fuzz::modelLines(bytes);
    for (const std::size_t bufferSize : { smallBuffer, std::size_t(4096) }) {
        {
            core::InputFile input(file.path());
            core::ItemReader reader(input, bufferSize);
            std::string_view item;
            std::size_t index = 0;
            while (reader.next(item)) {
                fuzz::require(index < items.size(), "no more items than the model");
                fuzz::require(item == items[index].text, "item text");
                fuzz::require(reader.position() == items[index].position, "item position");
                ++index;
            }
            fuzz::require(index == items.size(), "as many items as the model");
        }
        {
            core::InputFile input(file.path());
            core::LineReader reader(input, bufferSize);
            std::string_view line;
            std::size_t index = 0;
            while (reader.next(line)) {
                fuzz::require(index < lines.size(), "no more lines than the model");
                fuzz::require(line == lines[index].text, "line text");
                fuzz::require(reader.position() == lines[index].position, "line position");
                ++index;
            }
            fuzz::require(index == lines.size(), "as many lines as the model");
        }
    }
    return 0;
}

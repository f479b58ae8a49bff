#include "core/check.h"

#include "core/files.h"

namespace quillmark::core {

CheckFailure sameFileFailure(const std::string& output, const std::string& title)
{
    return { "The output file is the same file as one of the input files:\r" + output, kExclamation, title };
}

std::optional<CheckFailure> checkOutputNotInput(
    const std::string& output, const std::vector<std::string>& inputs, const std::string& title)
{
    if (inputSameAsOutput(output, inputs))
        return sameFileFailure(output, title);
    return std::nullopt;
}

} // namespace quillmark::core

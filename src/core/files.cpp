#include "core/files.h"

#include <sys/stat.h>

namespace quillmark::core {

bool isExistingFile(const std::string& path)
{
    if (path.empty())
        return false;
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool isSameFile(const std::string& a, const std::string& b)
{
    if (a.empty() || b.empty())
        return false;
    struct stat first, second;
    if (::stat(a.c_str(), &first) != 0 || ::stat(b.c_str(), &second) != 0)
        return false;
    return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

std::optional<std::string> inputSameAsOutput(const std::string& output, const std::vector<std::string>& inputs)
{
    for (const auto& input : inputs) {
        if (isSameFile(output, input))
            return input;
    }
    return std::nullopt;
}

} // namespace quillmark::core

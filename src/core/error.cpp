#include "core/error.h"

#include <cerrno>

namespace quillmark::core {

std::string RunError::message() const
{
    std::string text = code.message();
    if (path.empty())
        return "(no file name): " + text;
    return path + ": " + text;
}

IoError::IoError(std::string path, std::error_code code)
    : IoError(RunError { std::move(path), code })
{
}

IoError::IoError(RunError error)
    : std::runtime_error(error.message())
    , m_error(std::move(error))
{
}

void throwErrno(const std::string& path)
{
    throw IoError(path, std::error_code(errno, std::generic_category()));
}

} // namespace quillmark::core

#pragma once

#include <stdexcept>
#include <string>
#include <system_error>

namespace quillmark::core {

// A failure while a run reads or writes a file: the file's path and the system's error.
// message() is the text the windows show in their error box and the command line prints.
struct RunError
{
    std::string path;
    std::error_code code;

    std::string message() const;
};

// Thrown by the readers and writers; every engine catches it and hands back a RunError.
class IoError : public std::runtime_error
{
public:
    IoError(std::string path, std::error_code code);
    explicit IoError(RunError error);

    const RunError& error() const { return m_error; }

private:
    RunError m_error;
};

// Throws IoError for path with the current errno.
[[noreturn]] void throwErrno(const std::string& path);

} // namespace quillmark::core

#pragma once

#include <string>
#include <string_view>

namespace quillmark::test {

// A fresh folder under the system's temporary folder, removed with everything in it when destroyed.
class TempDir
{
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return m_path; }
    // path() + "/" + name
    std::string file(std::string_view name) const;
    // Writes bytes to name (created anew) and returns its full path.
    std::string write(std::string_view name, std::string_view bytes) const;

private:
    std::string m_path;
};

// The whole content of a file; throws std::runtime_error when it cannot be read.
std::string readFile(const std::string& path);

} // namespace quillmark::test

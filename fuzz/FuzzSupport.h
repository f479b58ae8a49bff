#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quillmark::fuzz {

// A file in memory with a path that the engine can open; removed when destroyed.
class MemoryFile
{
public:
    explicit MemoryFile(std::string_view bytes = {});
    ~MemoryFile();
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;
    const std::string& path() const { return m_path; }
    std::string content() const;

private:
    int m_fd;
    std::string m_path;
};

// Item reading done the slow and obvious way, byte by byte over the whole text: the model the reader must match.
// Each item comes with the 1-based position after it.
struct ModelItem
{
    std::string text;
    std::int64_t position;
};
std::vector<ModelItem> modelItems(std::string_view bytes);
std::vector<ModelItem> modelLines(std::string_view bytes);

// Stops the run with a message when a check fails.
void require(bool condition, const char* what);

} // namespace quillmark::fuzz

#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quillmark::core {

// The check the windows make before a run: the path names an existing ordinary file (a directory, a device,
// a FIFO or nothing at all do not count). Wildcard characters are ordinary characters.
bool isExistingFile(const std::string& path);

// How a check looks a path up; the windows pass the platform's lookup, the command line isExistingFile.
using FileLookup = std::function<bool(const std::string&)>;

// True when a and b name the same existing file, whatever the names (links, relative paths, hard links).
bool isSameFile(const std::string& a, const std::string& b);

// The first of inputs that is the same file as output, if any. Writing that output would truncate the input
// before it is read.
std::optional<std::string> inputSameAsOutput(const std::string& output, const std::vector<std::string>& inputs);

} // namespace quillmark::core

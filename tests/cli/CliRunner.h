#pragma once

#include <string>
#include <vector>

namespace quillmark::test {

struct CliOutcome
{
    int status;
    std::string out;
    std::string err;
};

// Runs quillmark-cli in-process with these arguments (without the program name).
CliOutcome runCli(const std::vector<std::string>& arguments);

// Runs the built quillmark-cli program as its own process, with an argument list (no shell).
CliOutcome runCliProgram(const std::vector<std::string>& arguments);

} // namespace quillmark::test

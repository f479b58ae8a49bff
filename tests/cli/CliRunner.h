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

// Runs a built program of this project (by name, from the build's bin folder) as its own process, with an
// argument list (no shell), in workingDir when it is not empty.
CliOutcome runBuiltProgram(
    const std::string& name, const std::vector<std::string>& arguments, const std::string& workingDir = {});

// runBuiltProgram for quillmark-cli.
CliOutcome runCliProgram(const std::vector<std::string>& arguments);

} // namespace quillmark::test

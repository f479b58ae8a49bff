#include "CliRunner.h"

#include "cli/Cli.h"
#include "support/TempDir.h"

#include <fcntl.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace quillmark::test {

CliOutcome runCli(const std::vector<std::string>& arguments)
{
    std::vector<const char*> argv { "quillmark-cli" };
    for (const auto& argument : arguments)
        argv.push_back(argument.c_str());
    std::ostringstream out, err;
    const int status = cli::run(static_cast<int>(argv.size()), argv.data(), out, err, false);
    return { status, out.str(), err.str() };
}

CliOutcome runCliProgram(const std::vector<std::string>& arguments)
{
    return runBuiltProgram("quillmark-cli", arguments);
}

CliOutcome runBuiltProgram(const std::string& name, const std::vector<std::string>& arguments, const std::string& workingDir)
{
    TempDir dir;
    const std::string outPath = dir.file("stdout"), errPath = dir.file("stderr");
    const std::string program = std::string(QUILLMARK_BIN_DIR) + "/" + name;
    std::vector<char*> argv { const_cast<char*>(program.c_str()) };
    for (const auto& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ::dup2(out, STDOUT_FILENO);
        ::dup2(err, STDERR_FILENO);
        if (!workingDir.empty() && ::chdir(workingDir.c_str()) != 0)
            ::_exit(126);
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return { WIFEXITED(status) ? WEXITSTATUS(status) : -1, readFile(outPath), readFile(errPath) };
}

} // namespace quillmark::test

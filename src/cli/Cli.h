#pragma once

#include "core/check.h"
#include "core/error.h"
#include "core/progress.h"

#include <CLI/CLI.hpp>

#include <functional>
#include <iosfwd>
#include <memory>
#include <string>

namespace quillmark::cli {

// Exit statuses: 0 success, 1 a failure during the run, 2 bad usage or a failed check.
enum ExitStatus : int {
    kExitOk = 0,
    kExitRunFailed = 1,
    kExitUsage = 2,
};

// Where a command writes, and whether standard error is a terminal (then it shows a progress bar).
struct Context
{
    std::ostream& out;
    std::ostream& err;
    bool terminal = false;

    // A failed check: the window's message, its CR as a line break. Returns kExitUsage.
    int refuse(const core::CheckFailure& failure) const;
    // A failure during the run: the tool's error title and the system's description. Returns kExitRunFailed.
    int fail(const std::string& title, const core::RunError& error) const;
};

// A progress bar on standard error, redrawn only when the whole percentage changes; silent when not a terminal.
class TerminalProgress : public core::ProgressSink
{
public:
    TerminalProgress(const Context& context, std::string label);
    ~TerminalProgress() override;
    void percent(double value) override;
    void count(std::int64_t value) override;
    void finish();

private:
    const Context& m_context;
    std::string m_label;
    int m_shown = -1;
    std::int64_t m_lastCount = -1;
    bool m_drawn = false;
};

// The elapsed-time caption's clock: whole seconds of the local time, taken at the start of a run.
class Stopwatch
{
public:
    Stopwatch();
    // "nn:ss" since the start.
    std::string elapsed() const;

private:
    std::int64_t m_start;
};

// A subcommand: setup adds its options to its CLI11 subcommand and returns what runs it.
using Runner = std::function<int(const Context&)>;
using Setup = std::function<Runner(CLI::App&)>;

// Registers a subcommand; order sorts them in the help text.
struct Command
{
    Command(int order, std::string name, std::string description, Setup setup);
};

// Runs the command line in-process: parses argv, runs the chosen subcommand and returns the exit status.
int run(int argc, const char* const* argv, std::ostream& out, std::ostream& err, bool terminal);

} // namespace quillmark::cli

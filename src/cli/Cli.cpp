#include "cli/Cli.h"

#include "core/text.h"

#include <algorithm>
#include <chrono>
#include <iostream>
#include <map>
#include <vector>

namespace quillmark::cli {

namespace {
    struct Entry
    {
        int order;
        std::string name;
        std::string description;
        Setup setup;
    };

    std::vector<Entry>& registry()
    {
        static std::vector<Entry> entries;
        return entries;
    }

    std::string withLineBreaks(std::string text)
    {
        std::replace(text.begin(), text.end(), '\r', '\n');
        return text;
    }
}

Command::Command(int order, std::string name, std::string description, Setup setup)
{
    registry().push_back({ order, std::move(name), std::move(description), std::move(setup) });
}

int Context::refuse(const core::CheckFailure& failure) const
{
    err << withLineBreaks(failure.text) << '\n';
    return kExitUsage;
}

int Context::fail(const std::string& title, const core::RunError& error) const
{
    err << title << ": " << error.message() << '\n';
    return kExitRunFailed;
}

TerminalProgress::TerminalProgress(const Context& context, std::string label)
    : m_context(context)
    , m_label(std::move(label))
{
}

TerminalProgress::~TerminalProgress()
{
    finish();
}

void TerminalProgress::percent(double value)
{
    if (!m_context.terminal)
        return;
    const int whole = std::clamp(static_cast<int>(value), 0, 100);
    if (whole == m_shown)
        return;
    m_shown = whole;
    const int filled = whole * 30 / 100;
    m_context.err << '\r' << m_label << " [" << std::string(static_cast<std::size_t>(filled), '#')
                  << std::string(static_cast<std::size_t>(30 - filled), ' ') << "] " << whole << "%" << std::flush;
    m_drawn = true;
}

void TerminalProgress::count(std::int64_t value)
{
    if (!m_context.terminal || value / 10000 == m_lastCount / 10000)
        return;
    m_lastCount = value;
    m_context.err << '\r' << m_label << ' ' << value << std::flush;
    m_drawn = true;
}

void TerminalProgress::finish()
{
    if (m_drawn) {
        m_context.err << "\r\x1b[K" << std::flush;
        m_drawn = false;
    }
}

namespace {
    std::int64_t nowSeconds()
    {
        using namespace std::chrono;
        return duration_cast<seconds>(system_clock::now().time_since_epoch()).count();
    }
}

Stopwatch::Stopwatch()
    : m_start(nowSeconds())
{
}

std::string Stopwatch::elapsed() const
{
    return core::elapsedText(nowSeconds() - m_start);
}

int run(int argc, const char* const* argv, std::ostream& out, std::ostream& err, bool terminal)
{
    CLI::App app { "Quillmark: tools for lists of e-mail addresses kept in plain text files.", "quillmark-cli" };
    app.set_version_flag("--version", std::string("quillmark-cli ") + QUILLMARK_VERSION);
    app.require_subcommand(1);

    auto entries = registry();
    std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.order < b.order; });
    std::map<CLI::App*, Runner> runners;
    for (auto& entry : entries) {
        CLI::App* sub = app.add_subcommand(entry.name, entry.description);
        runners[sub] = entry.setup(*sub);
    }

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        out << app.help();
        return kExitOk;
    } catch (const CLI::CallForAllHelp&) {
        out << app.help("", CLI::AppFormatMode::All);
        return kExitOk;
    } catch (const CLI::CallForVersion&) {
        out << app.version() << '\n';
        return kExitOk;
    } catch (const CLI::ParseError& failure) {
        // A subcommand's --help arrives here too, raised inside that subcommand.
        if (failure.get_exit_code() == static_cast<int>(CLI::ExitCodes::Success)) {
            for (auto* sub : app.get_subcommands())
                out << sub->help();
            if (app.get_subcommands().empty())
                out << app.help();
            return kExitOk;
        }
        err << "quillmark-cli: " << failure.what() << '\n';
        err << "Run 'quillmark-cli --help' for the commands.\n";
        return kExitUsage;
    }

    const Context context { out, err, terminal };
    for (auto* sub : app.get_subcommands()) {
        auto runner = runners.find(sub);
        if (runner != runners.end())
            return runner->second(context);
    }
    return kExitUsage;
}

} // namespace quillmark::cli

#include "cli/Cli.h"
#include "core/files.h"
#include "core/split.h"

#include <filesystem>
#include <ostream>

namespace quillmark::cli {
namespace {

struct SplitOptions
{
    core::SplitParams params;
    std::string number = core::kSplitDefaultNumber;
    std::string folder;
};

// Prints each file's entry as soon as the file is finished.
class EntryPrinter : public core::SplitProgress
{
public:
    explicit EntryPrinter(const Context& context)
        : m_context(context)
    {
    }
    void fileWritten(const core::SplitFile& file) override
    {
        m_context.out << core::splitEntryText(file) << '\n' << std::flush;
    }

private:
    const Context& m_context;
};

// The entries show full paths, so a relative folder is taken from the current one.
std::string fullFolder(const std::string& folder)
{
    const std::filesystem::path current = std::filesystem::current_path();
    if (folder.empty() || folder == ".")
        return current.string();
    const std::filesystem::path given(folder);
    return given.is_absolute() ? folder : (current / given).string();
}

Runner setupSplit(CLI::App& app)
{
    auto options = std::make_shared<SplitOptions>();
    options->params.baseName = core::kSplitDefaultBase;
    app.add_option("FILE", options->params.inputPath, "The list to split, read item by item")->required();
    app.add_option("-n,--number", options->number, "Addresses per file (0 or less: all in one file)")
        ->capture_default_str();
    app.add_option("-b,--base", options->params.baseName, "Base name of the files: BASE1.txt, BASE2.txt, ...")
        ->capture_default_str();
    app.add_option("-d,--dir", options->folder, "Folder of the numbered files (default: the current folder)");
    app.footer("Copies the addresses of FILE into numbered files of NUMBER addresses each (the last takes the "
               "rest), replacing files of those names, and prints one line per file written.");
    return [options](const Context& context) {
        core::SplitParams params = options->params;
        try {
            params.folder = fullFolder(options->folder);
        } catch (const std::filesystem::filesystem_error& failure) {
            return context.fail(core::kSplitErrorTitle, { ".", failure.code() });
        }
        if (auto failure = core::checkSplit(params, core::isExistingFile))
            return context.refuse(*failure);
        const Stopwatch stopwatch;
        const core::SplitLimit limit = core::convertSplitLimit(options->number);
        if (!limit.limit) {
            context.err << core::kSplitErrorTitle << ": " << limit.failure << '\n';
            return static_cast<int>(kExitRunFailed);
        }
        params.limit = *limit.limit;
        EntryPrinter printer(context);
        const core::SplitResult result = core::runSplit(params, printer);
        if (result.error)
            return context.fail(core::kSplitErrorTitle, *result.error);
        context.out << "Extract file done. Time: " << stopwatch.elapsed() << '\n';
        return static_cast<int>(kExitOk);
    };
}

const Command registration { 40, "split", "Copy a list into numbered files of a fixed number of addresses",
    setupSplit };

} // namespace
} // namespace quillmark::cli

#include "cli/Cli.h"
#include "core/files.h"
#include "core/sort_tool.h"

#include <filesystem>
#include <ostream>
#include <unistd.h>

namespace quillmark::cli {
namespace {

// The program deletes the work files when it ends; a single command ends with its run.
class WorkFilesRemoval
{
public:
    explicit WorkFilesRemoval(const core::SortWorkFiles& files)
        : m_files(files)
    {
    }
    ~WorkFilesRemoval()
    {
        ::unlink(m_files.mergeListPath.c_str());
        ::unlink(m_files.dupListPath.c_str());
    }

private:
    const core::SortWorkFiles& m_files;
};

std::string workingDirectory()
{
    std::error_code failure;
    const auto path = std::filesystem::current_path(failure);
    return failure ? std::string(".") : path.string();
}

Runner setupSort(CLI::App& app)
{
    struct Options
    {
        core::SortParams params;
        std::size_t memory = 0;
    };
    auto options = std::make_shared<Options>();
    app.add_option("FILE", options->params.inputs, "The lists to sort, joined byte for byte in this order");
    app.add_option("-o,--output", options->params.outputText, "The sorted list without duplicates")->required();
    app.add_option("--memory", options->memory,
           "Bytes of memory the sorter may use before it spills sorted runs to disk (default a quarter of "
           "the physical memory)")
        ->check(CLI::PositiveNumber);
    app.footer("Joins the FILEs into merglist.tmp beside the output, sorts its lines in byte order, writes each "
               "distinct line once (ended CR LF) and every extra copy to duplist.tmp; blank lines are dropped. "
               "Both work files are deleted when the command ends.");
    return [options](const Context& context) {
        const std::string here = workingDirectory();
        if (auto failure = core::checkSort(options->params, here, core::isExistingFile, core::isExistingDirectory))
            return context.refuse(*failure);
        const Stopwatch stopwatch;
        core::SortRunParams run;
        run.inputs = options->params.inputs;
        run.files = core::sortWorkFiles(options->params.outputText, here);
        run.memoryBudget = options->memory;
        const WorkFilesRemoval removal(run.files);
        const core::SortResult result = core::runSort(run);
        if (result.error)
            return context.fail(core::kSortErrorTitle, *result.error);
        context.out << "Sort file done. Time: " << stopwatch.elapsed() << '\n';
        return static_cast<int>(kExitOk);
    };
}

const Command registration { 50, "sort", "Sort lists into one list without duplicate addresses", setupSort };

} // namespace
} // namespace quillmark::cli

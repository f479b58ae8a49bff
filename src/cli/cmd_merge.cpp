#include "cli/Cli.h"
#include "core/files.h"
#include "core/merge.h"

#include <ostream>

namespace quillmark::cli {
namespace {

Runner setupMerge(CLI::App& app)
{
    auto params = std::make_shared<core::MergeParams>();
    app.add_option("FILE", params->inputs, "The lists to join, in this order; a file may come twice");
    app.add_option("-o,--output", params->outputPath, "The merged file, created anew")->required();
    app.footer("Copies the bytes of every FILE, unchanged and one after the other, into the merged file: "
               "nothing is added between them and nothing is left out.");
    return [params](const Context& context) {
        if (auto failure = core::checkMerge(*params, core::isExistingFile))
            return context.refuse(*failure);
        const Stopwatch stopwatch;
        TerminalProgress progress(context, "Merging");
        const core::MergeResult result = core::runMerge(*params, progress);
        progress.finish();
        if (result.error)
            return context.fail(core::kMergeErrorTitle, *result.error);
        context.out << "Merge file done. Time: " << stopwatch.elapsed() << '\n';
        return static_cast<int>(kExitOk);
    };
}

const Command registration { 20, "merge", "Join several lists byte for byte into one file", setupMerge };

} // namespace
} // namespace quillmark::cli

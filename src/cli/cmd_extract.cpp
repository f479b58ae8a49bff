#include "cli/Cli.h"
#include "core/extract.h"
#include "core/files.h"
#include "core/text.h"

#include <ostream>

namespace quillmark::cli {
namespace {

Runner setupExtract(CLI::App& app)
{
    auto params = std::make_shared<core::ExtractParams>();
    app.add_option("FILE", params->inputs, "The lists to read item by item, in this order");
    app.add_option("-o,--output", params->outputPath, "The new list, created anew")->required();
    app.add_option("-k,--keyword", params->keyword, "The text to look for, as given (case counts; -k \"\" for none)")
        ->required();
    app.add_flag("--un", params->unExtract, "Un-Extract: keep the addresses that do not contain the keyword");
    app.footer("Writes every address of the lists that contains the keyword (with --un: that does not) to the "
               "new list, one per line, ended CR LF.");
    return [params](const Context& context) {
        if (auto failure = core::checkExtract(*params, core::isExistingFile))
            return context.refuse(*failure);
        const Stopwatch stopwatch;
        TerminalProgress progress(context, "Extracting");
        const core::ExtractResult result = core::runExtract(*params, progress);
        progress.finish();
        if (result.error)
            return context.fail(core::kExtractErrorTitle, *result.error);
        context.out << "Total new addresses: " << core::countText(result.written) << '\n';
        context.out << "Extract file done. Time: " << stopwatch.elapsed() << '\n';
        return static_cast<int>(kExitOk);
    };
}

const Command registration { 30, "extract", "Keep the addresses that contain a keyword, or those that do not",
    setupExtract };

} // namespace
} // namespace quillmark::cli

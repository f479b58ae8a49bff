#include "cli/Cli.h"
#include "core/files.h"
#include "core/remove.h"
#include "core/text.h"

#include <ostream>

namespace quillmark::cli {
namespace {

    Runner setupRemove(CLI::App& app)
    {
        auto params = std::make_shared<core::RemoveParams>();
        app.add_option("LIST", params->listPath, "The address list, read item by item")->required();
        app.add_option("REMOVE", params->removePath, "The remove list: every item found anywhere in it is left out")
            ->required();
        app.add_option("-o,--output", params->newPath, "The new list, created anew")->required();
        app.footer("Writes the items of LIST that do not occur anywhere in REMOVE (case counts) to the new list, "
                   "one per line, ended CR LF.");
        return [params](const Context& context) {
            if (auto failure = core::checkRemove(*params, core::isExistingFile))
                return context.refuse(*failure);
            const Stopwatch stopwatch;
            TerminalProgress progress(context, "Removing");
            const core::RemoveResult result = core::runRemove(*params, progress);
            progress.finish();
            if (result.error)
                return context.fail(core::kRemoveErrorTitle, *result.error);
            context.out << "Removed: " << core::countText(result.removed) << '\n';
            context.out << "New Address: " << core::countText(result.written) << '\n';
            context.out << "Time: " << stopwatch.elapsed() << '\n';
            return static_cast<int>(kExitOk);
        };
    }

    const Command registration { 10, "remove", "Leave out of a list every address found in a remove list",
        setupRemove };

} // namespace
} // namespace quillmark::cli

#include "cli/Cli.h"
#include "core/files.h"
#include "core/scan_bracket.h"
#include "core/scan_comma.h"
#include "core/scan_common.h"
#include "core/scan_count.h"
#include "core/scan_html.h"
#include "core/scan_mail.h"

#include <ostream>

namespace quillmark::cli {
namespace {

// The scans share their run: check, run with a bar, then the final caption or the error.
template <typename Params, typename Check, typename Run, typename Caption>
int runScan(const Context& context, const Params& params, Check check, Run run, Caption caption)
{
    if (auto failure = check(params, core::isExistingFile))
        return context.refuse(*failure);
    TerminalProgress progress(context, "Retrieving");
    const auto result = run(params, progress);
    progress.finish();
    if (result.error)
        return context.fail(core::kRetrieveTitle, *result.error);
    context.out << caption(result.count) << '\n';
    return static_cast<int>(kExitOk);
}

template <typename Params>
CLI::App* addScan(CLI::App& app, const char* name, const char* description, Params& params, const char* input)
{
    CLI::App* sub = app.add_subcommand(name, description);
    sub->add_option("FILE", params.inputPath, input)->required();
    sub->add_option("-o,--output", params.outputPath, "The list of finds, created anew")->required();
    return sub;
}

Runner setupRetrieve(CLI::App& app)
{
    auto mail = std::make_shared<core::MailScanParams>();
    auto html = std::make_shared<core::HtmlScanParams>();
    auto bracket = std::make_shared<core::BracketScanParams>();
    auto comma = std::make_shared<core::CommaScanParams>();
    auto noFrom = std::make_shared<bool>(false);
    auto noReplyTo = std::make_shared<bool>(false);

    app.require_subcommand(1);
    CLI::App* mailApp = addScan(app, "mail",
        "The value of every From and Reply-To header line of a mail folder, display name included", *mail,
        "The mail folder, read item by item");
    mailApp->add_flag("--no-from", *noFrom, "Leave From lines out");
    mailApp->add_flag("--no-reply-to", *noReplyTo, "Leave Reply-To lines out");
    CLI::App* htmlApp
        = addScan(app, "html", "The address after every MAILTO: up to the next > or double quote, in lower case", *html,
            "The page, read item by item");
    CLI::App* bracketApp = addScan(app, "bracket", "Every piece of text from a < to the next >, brackets included",
        *bracket, "Any text, read line by line");
    CLI::App* commaApp = addScan(app, "comma", "Every piece of a line between commas, without its blanks", *comma,
        "Any text, read line by line");
    app.footer("Writes one find per line, ended CR LF, in the order of the input; nothing is sorted or "
               "de-duplicated. Prints the number of finds.");

    return [=](const Context& context) {
        if (mailApp->parsed()) {
            mail->takeFrom = !*noFrom;
            mail->takeReplyTo = !*noReplyTo;
            return runScan(context, *mail, core::checkMailScan, core::runMailScan, core::mailScanCaption);
        }
        if (htmlApp->parsed())
            return runScan(context, *html, core::checkHtmlScan, core::runHtmlScan, core::addressesCaption);
        if (bracketApp->parsed())
            return runScan(context, *bracket, core::checkBracketScan, core::runBracketScan, core::addressesCaption);
        if (commaApp->parsed())
            return runScan(context, *comma, core::checkCommaScan, core::runCommaScan, core::addressesCaption);
        return static_cast<int>(kExitUsage);
    };
}

Runner setupCount(CLI::App& app)
{
    auto params = std::make_shared<core::AddressCountParams>();
    app.add_option("FILE", params->inputPath, "The list, read item by item")->required();
    app.footer("Counts the items of the list: every line, and every piece of a line between commas, counts, "
               "empty ones included.");
    return [params](const Context& context) {
        if (auto failure = core::checkAddressCount(*params, core::isExistingFile))
            return context.refuse(*failure);
        TerminalProgress progress(context, "Counting");
        const auto result = core::runAddressCount(*params, progress);
        progress.finish();
        if (result.error)
            return context.fail(core::kRetrieveTitle, *result.error);
        context.out << core::addressCountCaption(result.count) << '\n';
        return static_cast<int>(kExitOk);
    };
}

const Command retrieveRegistration { 60, "retrieve",
    "Collect addresses from a mail folder, an HTML page, text in <...> or comma-separated text", setupRetrieve };
const Command countRegistration { 61, "count", "Count the addresses of a list", setupCount };

} // namespace
} // namespace quillmark::cli

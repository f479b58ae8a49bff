#include "core/scan_bracket.h"
#include "core/scan_comma.h"
#include "core/scan_common.h"
#include "core/scan_count.h"
#include "core/scan_html.h"
#include "core/scan_mail.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <functional>

using namespace quillmark::core;
using quillmark::test::readFile;
using quillmark::test::TempDir;

namespace {

TEST(ScanText, CaseFoldingTouchesAsciiLettersOnly)
{
    EXPECT_TRUE(startsWithNoCase("fRoM: x", "FROM:"));
    EXPECT_FALSE(startsWithNoCase("FROM", "FROM:"));
    EXPECT_FALSE(startsWithNoCase("\xC6ROM:", "FROM:")) << "a byte above 0x7F is no letter";
    EXPECT_EQ(findNoCase("<a href=\"MaIlTo:x\">", "MAILTO:"), 9u);
    EXPECT_EQ(findNoCase("mmailto:", "MAILTO:"), 1u);
    EXPECT_EQ(findNoCase("mailto", "MAILTO:"), std::string_view::npos);
    EXPECT_EQ(asciiLower('\xC9'), '\xC9');
    EXPECT_EQ(asciiUpper('\xE9'), '\xE9');
    EXPECT_EQ(asciiUpper('z'), 'Z');
    EXPECT_EQ(asciiLower('['), '[');
    EXPECT_EQ(asciiUpper('{'), '{');
}

TEST(ScanText, TrimDropsSpacesOnlyAndCaptions)
{
    EXPECT_EQ(trimSpaces("  a b  "), "a b");
    EXPECT_EQ(trimSpaces("\ta \t"), "\ta \t");
    EXPECT_EQ(trimSpaces("   "), "");
    EXPECT_EQ(trimSpaces(""), "");
    EXPECT_EQ(addressesCaption(12), " 12 Addresses");
    EXPECT_EQ(addressesCaption(0), " 0 Addresses");
    EXPECT_EQ(mailScanCaption(12), "12");
    EXPECT_EQ(runningCountCaption(2000), "2000");
    EXPECT_EQ(addressCountCaption(12), "Addresses:  12");
    EXPECT_DOUBLE_EQ(readPercent(13, 12), 13.0 / 12.0 * 100.0);
    EXPECT_EQ(readPercent(1, 0), 0.0);
}

// Every scan, run through one signature, for the checks and failures they share.
struct Scanner
{
    const char* name;
    std::function<std::optional<CheckFailure>(const std::string&, const std::string&)> check;
    std::function<std::pair<std::int64_t, std::optional<RunError>>(const std::string&, const std::string&)> run;
};

template <typename Params, typename Check, typename Run> Scanner makeScanner(const char* name, Check check, Run run)
{
    return { name,
        [check](const std::string& in, const std::string& out) {
            Params params;
            params.inputPath = in;
            params.outputPath = out;
            return check(params, isExistingFile);
        },
        [run](const std::string& in, const std::string& out) {
            Params params;
            params.inputPath = in;
            params.outputPath = out;
            auto result = run(params, nullProgress());
            return std::make_pair(result.count, result.error);
        } };
}

std::vector<Scanner> scanners()
{
    return {
        makeScanner<MailScanParams>("mail", checkMailScan, runMailScan),
        makeScanner<BracketScanParams>("bracket", checkBracketScan, runBracketScan),
        makeScanner<CommaScanParams>("comma", checkCommaScan, runCommaScan),
        makeScanner<HtmlScanParams>("html", checkHtmlScan, runHtmlScan),
    };
}

TEST(ScanCheck, MessagesInOrderWithApplicationTitle)
{
    TempDir dir;
    const std::string input = dir.write("in.txt", "From: a\r\n");
    struct Row
    {
        std::string input;
        std::string output;
        std::string text; // empty: the check passes
        int style;
    } table[] = {
        { "", "", kInvalidInputText, 0 },
        { dir.file("missing.txt"), dir.file("out.txt"), "Invalid path or filename for input file.", 0 },
        { dir.path(), dir.file("out.txt"), "Invalid path or filename for input file.", 0 },
        { input, "", "Invalid path or filename for output file.", 0 },
        { input, dir.path() + "/./in.txt",
            "The output file is the same file as one of the input files:\r" + dir.path() + "/./in.txt", 48 },
        { input, dir.file("no/such/folder/out.txt"), "", 0 },
        { input, dir.file("out.txt"), "", 0 },
    };
    for (const auto& scanner : scanners()) {
        for (const auto& row : table) {
            const auto failure = scanner.check(row.input, row.output);
            if (row.text.empty()) {
                EXPECT_FALSE(failure) << scanner.name << ": " << failure->text;
                continue;
            }
            ASSERT_TRUE(failure) << scanner.name << ": " << row.text;
            EXPECT_EQ(failure->text, row.text) << scanner.name;
            EXPECT_EQ(failure->style, row.style) << scanner.name;
            EXPECT_EQ(failure->title, "Quillmark") << scanner.name;
        }
    }
    EXPECT_EQ(readFile(input), "From: a\r\n");
}

TEST(ScanCheck, CountAsksOnlyForAnExistingInput)
{
    TempDir dir;
    const std::string input = dir.write("in.txt", "a\r\n");
    EXPECT_FALSE(checkAddressCount({ input }, isExistingFile));
    for (const std::string& bad : { std::string(), dir.file("missing"), dir.path() }) {
        const auto failure = checkAddressCount({ bad }, isExistingFile);
        ASSERT_TRUE(failure) << bad;
        EXPECT_EQ(failure->text, "Invalid path or filename for input file.");
        EXPECT_EQ(failure->style, 0);
        EXPECT_EQ(failure->title, "Quillmark");
    }
}

TEST(ScanRun, FailuresNameTheFileKeepTheCountAndWhatWasWritten)
{
    for (const auto& scanner : scanners()) {
        TempDir dir;
        // One find for each scan.
        const std::string input = dir.write("in.txt", "From: <a@x>,\"mailto:a@x\"\r\n");

        auto [count, error] = scanner.run(input, dir.file("nope/out.txt"));
        ASSERT_TRUE(error) << scanner.name;
        EXPECT_EQ(error->path, dir.file("nope/out.txt")) << scanner.name;
        EXPECT_EQ(error->code, std::errc::no_such_file_or_directory) << scanner.name;

        std::tie(count, error) = scanner.run(input, "/dev/full");
        ASSERT_TRUE(error) << scanner.name;
        EXPECT_EQ(error->code, std::errc::no_space_on_device) << scanner.name;
        EXPECT_GE(count, 1) << scanner.name;

        // The input is opened first: a missing input leaves an existing output alone.
        const std::string output = dir.write("out.txt", "old");
        std::tie(count, error) = scanner.run(dir.file("missing.txt"), output);
        ASSERT_TRUE(error) << scanner.name;
        EXPECT_EQ(error->path, dir.file("missing.txt")) << scanner.name;
        EXPECT_EQ(readFile(output), "old") << scanner.name;

        std::tie(count, error) = scanner.run(dir.path(), output);
        ASSERT_TRUE(error) << scanner.name;
        EXPECT_EQ(error->code, std::errc::is_a_directory) << scanner.name;
        EXPECT_EQ(readFile(input), "From: <a@x>,\"mailto:a@x\"\r\n") << scanner.name;
    }
}

TEST(ScanRun, ExistingLongerOutputHoldsOnlyTheNewLines)
{
    for (const auto& scanner : scanners()) {
        TempDir dir;
        for (const std::string bytes : { "", "From: <a@x>,\"mailto:a@x\"\r\n" }) {
            const std::string input = dir.write("in.txt", bytes);
            const std::string output = dir.write("out.txt", std::string(5000, 'z'));
            const auto [count, error] = scanner.run(input, output);
            ASSERT_FALSE(error) << scanner.name;
            const std::string written = readFile(output);
            EXPECT_EQ(written.find('z'), std::string::npos) << scanner.name;
            EXPECT_EQ(written.empty(), bytes.empty()) << scanner.name;
            EXPECT_EQ(count == 0, bytes.empty()) << scanner.name;
            EXPECT_EQ(readFile(input), bytes) << scanner.name;
        }
    }
}

TEST(ScanRun, CountFailsOnAMissingInput)
{
    TempDir dir;
    const auto result = runAddressCount({ dir.file("missing.txt") });
    ASSERT_TRUE(result.error);
    EXPECT_EQ(result.error->path, dir.file("missing.txt"));
    EXPECT_EQ(result.count, 0);
}

} // namespace

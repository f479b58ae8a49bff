#include "CliRunner.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace quillmark::test;

namespace {

std::string fixture(const std::string& name)
{
    return std::string(QUILLMARK_FIXTURES_DIR) + "/retrieve/" + name;
}

TEST(CliRetrieve, EachScanPrintsItsCaptionAndWritesTheFixtureBytes)
{
    struct Row
    {
        std::vector<std::string> arguments; // the output option is added
        std::string input;
        std::string out;
        std::string expected; // fixture with the expected output bytes
    } table[] = {
        { { "retrieve", "mail" }, "folder.mbx", "8\n", "folder.mail.txt" },
        { { "retrieve", "mail", "--no-reply-to" }, "folder.mbx", "5\n", "folder.mail-no-reply-to.txt" },
        { { "retrieve", "mail", "--no-from" }, "folder.mbx", "3\n", "folder.mail-no-from.txt" },
        { { "retrieve", "mail", "--no-from", "--no-reply-to" }, "folder.mbx", "0\n", "" },
        { { "retrieve", "bracket" }, "folder.mbx", " 4 Addresses\n", "folder.bracket.txt" },
        { { "retrieve", "html" }, "page.html", " 6 Addresses\n", "page.html.txt" },
        { { "retrieve", "comma" }, "contacts.csv", " 9 Addresses\n", "contacts.comma.txt" },
    };
    for (const auto& row : table) {
        TempDir dir;
        auto arguments = row.arguments;
        arguments.insert(arguments.end(), { fixture(row.input), "-o", dir.file("out.txt") });
        const auto outcome = runCli(arguments);
        EXPECT_EQ(outcome.status, 0) << row.expected << ": " << outcome.err;
        EXPECT_EQ(outcome.out, row.out) << row.expected;
        EXPECT_EQ(outcome.err, "");
        EXPECT_EQ(readFile(dir.file("out.txt")), row.expected.empty() ? "" : readFile(fixture(row.expected)))
            << row.expected;
    }
}

TEST(CliRetrieve, CountPrintsTheFinalCaptionAndWritesNothing)
{
    TempDir dir;
    auto outcome = runCli({ "count", fixture("contacts.csv") });
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, "Addresses:  10\n");
    outcome = runCli({ "count", dir.write("empty.txt", "") });
    EXPECT_EQ(outcome.out, "Addresses:  0\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(CliRetrieve, FailedChecksExitTwoWithTheWindowsMessage)
{
    TempDir dir;
    const auto input = dir.write("in.txt", "From: a@x\r\n");
    struct Row
    {
        std::vector<std::string> arguments;
        std::string err;
    } table[] = {
        { { "retrieve", "mail", dir.file("missing"), "-o", dir.file("o") },
            "Invalid path or filename for input file.\n" },
        { { "retrieve", "html", dir.path(), "-o", dir.file("o") }, "Invalid path or filename for input file.\n" },
        { { "retrieve", "bracket", input, "-o", "" }, "Invalid path or filename for output file.\n" },
        { { "retrieve", "comma", input, "-o", input },
            "The output file is the same file as one of the input files:\n" + input + "\n" },
        { { "count", dir.file("missing") }, "Invalid path or filename for input file.\n" },
    };
    for (const auto& row : table) {
        const auto outcome = runCli(row.arguments);
        EXPECT_EQ(outcome.status, 2) << row.err;
        EXPECT_EQ(outcome.err, row.err);
        EXPECT_EQ(outcome.out, "");
    }
    EXPECT_EQ(readFile(input), "From: a@x\r\n");
    EXPECT_FALSE(std::filesystem::exists(dir.file("o")));
}

TEST(CliRetrieve, ExitStatusesOfTheRealProgram)
{
    TempDir dir;
    const auto input = dir.write("in.txt", "From: a@x\r\n");

    auto outcome = runCliProgram({ "retrieve", "mail", input, "-o", dir.file("out.txt") });
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out, "1\n");
    EXPECT_EQ(outcome.err, "");

    outcome = runCliProgram({ "retrieve", "mail", input, "-o", "/dev/full" });
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err, "Quillmark: /dev/full: No space left on device\n");
    EXPECT_EQ(outcome.out, "");

    outcome = runCliProgram({ "retrieve", "comma", input, "-o", dir.file("no/such/out.txt") });
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err, "Quillmark: " + dir.file("no/such/out.txt") + ": No such file or directory\n");

    for (const std::vector<std::string>& usage : std::vector<std::vector<std::string>> { { "retrieve" },
             { "retrieve", "mail", input }, { "retrieve", "pdf", input, "-o", dir.file("x") },
             { "retrieve", "html", "--no-from", input, "-o", dir.file("x") }, { "count" } }) {
        outcome = runCliProgram(usage);
        EXPECT_EQ(outcome.status, 2) << usage.size();
    }
    EXPECT_FALSE(std::filesystem::exists(dir.file("x")));
}

} // namespace

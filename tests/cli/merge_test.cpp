#include "CliRunner.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <regex>

using namespace quillmark::test;

namespace {

// The elapsed time depends on the clock; the captions are compared with it masked.
std::string maskTime(const std::string& out)
{
    return std::regex_replace(out, std::regex("Time: [0-9][0-9]:[0-9][0-9]"), "Time: nn:ss");
}

} // namespace

TEST(CliMerge, JoinsTheFilesByteForByteAndPrintsTheCaption)
{
    TempDir dir;
    const auto first = dir.write("first.txt", "a@x, \"b\"\r\n\r\nlast");
    const auto second = dir.write("second.adr", "c@z\rd@w\n");
    const auto outcome = runCli({ "merge", first, second, first, "-o", dir.file("merged.txt") });
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(maskTime(outcome.out), "Merge file done. Time: nn:ss\n");
    EXPECT_EQ(readFile(dir.file("merged.txt")), "a@x, \"b\"\r\n\r\nlastc@z\rd@w\na@x, \"b\"\r\n\r\nlast");
}

TEST(CliMerge, FailedChecksExitTwoWithTheWindowsMessage)
{
    TempDir dir;
    const auto first = dir.write("first.txt", "a\r\n");
    struct Row
    {
        std::vector<std::string> arguments;
        std::string err;
    } table[] = {
        { { "merge", "-o", dir.file("m") }, "Please add the files you want to merge.\n" },
        { { "merge", first, dir.file("missing"), "-o", dir.file("m") },
            "Invalid path or file name for: \n" + dir.file("missing") + "\n" },
        { { "merge", first, "-o", first },
            "The output file is the same file as one of the input files:\n" + first + "\n" },
    };
    for (const auto& row : table) {
        const auto outcome = runCli(row.arguments);
        EXPECT_EQ(outcome.status, 2);
        EXPECT_EQ(outcome.err, row.err);
        EXPECT_EQ(maskTime(outcome.out), "");
    }
    EXPECT_EQ(readFile(first), "a\r\n");
    EXPECT_EQ(runCli({ "merge", first }).status, 2) << "-o is required";
}

TEST(CliMerge, ExitStatusesOfTheRealProgram)
{
    TempDir dir;
    const auto first = dir.write("first.txt", "a\r\n");
    auto outcome = runCliProgram({ "merge", first, "-o", dir.file("merged.txt") });
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.err, "");

    outcome = runCliProgram({ "merge", first, "-o", "/dev/full" });
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err, "Merge File: /dev/full: No space left on device\n");
    EXPECT_EQ(maskTime(outcome.out), "");

    outcome = runCliProgram({ "merge", first, "-o", "" });
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err, "Merge File: (no file name): No such file or directory\n");
}

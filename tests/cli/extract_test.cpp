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

TEST(CliExtract, KeepsTheMatchingOrTheOtherItems)
{
    TempDir dir;
    const auto first = dir.write("first.txt", "a@x.com, b@y.org\r\n\r\nc@Z.COM\r\n");
    const auto second = dir.write("second.txt", "\"d.com@w.net\"");
    struct Row
    {
        std::vector<std::string> options;
        std::string out;
        std::string written;
    } table[] = {
        { { "-k", ".com" }, "Total new addresses:  2\n", "a@x.com\r\nd.com@w.net\r\n" },
        { { "-k", ".com", "--un" }, "Total new addresses:  3\n", "b@y.org\r\n\r\nc@Z.COM\r\n" },
        { { "-k", "" }, "Total new addresses:  5\n", "a@x.com\r\nb@y.org\r\n\r\nc@Z.COM\r\nd.com@w.net\r\n" },
        { { "--un", "-k", "" }, "Total new addresses:  0\n", "" },
        { { "--keyword=-y" }, "Total new addresses:  0\n", "" },
        { { "--keyword=@y" }, "Total new addresses:  1\n", "b@y.org\r\n" },
    };
    for (const auto& row : table) {
        std::vector<std::string> arguments { "extract", first, second, "-o", dir.file("new.txt") };
        arguments.insert(arguments.end(), row.options.begin(), row.options.end());
        const auto outcome = runCli(arguments);
        EXPECT_EQ(outcome.status, 0) << outcome.err;
        EXPECT_EQ(maskTime(outcome.out), row.out + "Extract file done. Time: nn:ss\n");
        EXPECT_EQ(readFile(dir.file("new.txt")), row.written);
    }
}

TEST(CliExtract, FailedChecksExitTwoWithTheWindowsMessage)
{
    TempDir dir;
    const auto first = dir.write("first.txt", "a\r\n");
    struct Row
    {
        std::vector<std::string> arguments;
        std::string err;
    } table[] = {
        { { "extract", "-o", dir.file("n"), "-k", "x" }, "You must add the files you want to extract.\n" },
        { { "extract", first, dir.path(), "-o", dir.file("n"), "-k", "x" },
            "Invalid path or file name for: \n" + dir.path() + "\n" },
        { { "extract", first, "-o", first, "-k", "x" },
            "The output file is the same file as one of the input files:\n" + first + "\n" },
    };
    for (const auto& row : table) {
        const auto outcome = runCli(row.arguments);
        EXPECT_EQ(outcome.status, 2);
        EXPECT_EQ(outcome.err, row.err);
        EXPECT_EQ(maskTime(outcome.out), "");
    }
    EXPECT_EQ(readFile(first), "a\r\n");
    EXPECT_EQ(runCli({ "extract", first, "-o", dir.file("n") }).status, 2) << "-k is required";
}

TEST(CliExtract, ExitStatusesOfTheRealProgram)
{
    TempDir dir;
    const auto first = dir.write("first.txt", "a.com\r\n");
    auto outcome = runCliProgram({ "extract", first, "-o", dir.file("new.txt"), "-k", "" });
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.err, "");
    EXPECT_EQ(readFile(dir.file("new.txt")), "a.com\r\n");

    outcome = runCliProgram({ "extract", first, "-o", "/dev/full", "-k", ".com" });
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err, "Extract File: /dev/full: No space left on device\n");
}

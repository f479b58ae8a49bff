#include "CliRunner.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <regex>

#include <filesystem>

using namespace quillmark::test;

namespace {

// The elapsed time depends on the clock; the captions are compared with it masked.
std::string maskTime(const std::string& out)
{
    return std::regex_replace(out, std::regex("Time: [0-9][0-9]:[0-9][0-9]"), "Time: nn:ss");
}

std::string items(int from, int to)
{
    std::string text;
    for (int i = from; i <= to; ++i)
        text += "u" + std::to_string(i) + "\r\n";
    return text;
}

} // namespace

TEST(CliSplit, PrintsTheEntriesInTheOrderWrittenThenTheCaption)
{
    TempDir dir;
    const auto input = dir.write("list.txt", items(1, 21));
    const auto outcome = runCli({ "split", input, "-n", "2", "-b", "part", "-d", dir.path() });
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    std::string expected;
    for (int i = 1; i <= 10; ++i)
        expected += "2 addresses to " + dir.file("part" + std::to_string(i) + ".txt") + "\n";
    expected += "1 addresses to " + dir.file("part11.txt") + "\n";
    EXPECT_EQ(maskTime(outcome.out), expected + "Extract file done. Time: nn:ss\n");
    EXPECT_EQ(readFile(dir.file("part10.txt")), items(19, 20));
    EXPECT_EQ(readFile(dir.file("part11.txt")), items(21, 21));
}

// Defaults: 10000 per file, base Spliter, the current folder (shown as a full path).
TEST(CliSplit, DefaultsAndRelativeFolders)
{
    TempDir dir;
    const auto input = dir.write("list.txt", items(1, 10001));
    std::filesystem::create_directory(dir.file("out"));
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    const auto here = runCli({ "split", "list.txt" });
    const auto relative = runCli({ "split", "list.txt", "-d", "out", "-n", " 10001 " });
    std::filesystem::current_path(previous);

    ASSERT_EQ(here.status, 0) << here.err;
    EXPECT_EQ(maskTime(here.out),
        "10000 addresses to " + dir.file("Spliter1.txt") + "\n1 addresses to " + dir.file("Spliter2.txt")
            + "\nExtract file done. Time: nn:ss\n");
    EXPECT_EQ(readFile(dir.file("Spliter2.txt")), items(10001, 10001));
    ASSERT_EQ(relative.status, 0) << relative.err;
    EXPECT_EQ(maskTime(relative.out),
        "10001 addresses to " + dir.file("out/Spliter1.txt") + "\nExtract file done. Time: nn:ss\n");
}

TEST(CliSplit, RefusalsAndFailures)
{
    TempDir dir;
    const auto input = dir.write("Spliter3.txt", items(1, 5));
    struct Row
    {
        std::vector<std::string> arguments;
        int status;
        std::string err;
    } table[] = {
        { { "split", dir.file("missing.txt"), "-d", dir.path() }, 2,
            "Invalid path or file name for: \n" + dir.file("missing.txt") + "\n" },
        { { "split", input, "-d", dir.path() }, 2,
            "The output file is the same file as one of the input files:\n" + input + "\n" },
        { { "split", input, "-d", dir.path(), "-b", "s", "-n", "ten" }, 1,
            "Extract File: Number Per File must be a whole number, not \"ten\".\n" },
        { { "split", input, "-d", dir.path(), "-b", "s", "-n", "4294967296" }, 1,
            "Extract File: Number Per File is out of range: \"4294967296\".\n" },
        { { "split", input, "-d", dir.file("none"), "-b", "s" }, 1,
            "Extract File: " + dir.file("none/s1.txt") + ": No such file or directory\n" },
        { { "split", input, "-d", dir.path(), "-b", "../s" }, 1,
            "Extract File: " + dir.file("../s1.txt") + ": Invalid argument\n" },
    };
    for (const auto& row : table) {
        const auto outcome = runCli(row.arguments);
        EXPECT_EQ(outcome.status, row.status) << row.err;
        EXPECT_EQ(outcome.err, row.err);
        EXPECT_EQ(maskTime(outcome.out), "");
    }
    EXPECT_EQ(readFile(input), items(1, 5));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1) << "nothing was written";
}

TEST(CliSplit, ExitStatusesOfTheRealProgram)
{
    TempDir dir;
    const auto input = dir.write("list.txt", items(1, 3));
    auto outcome = runCliProgram({ "split", input, "-n", "2", "-d", dir.path() });
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.err, "");
    EXPECT_EQ(maskTime(outcome.out),
        "2 addresses to " + dir.file("Spliter1.txt") + "\n1 addresses to " + dir.file("Spliter2.txt")
            + "\nExtract file done. Time: nn:ss\n");

    outcome = runCliProgram({ "split" });
    EXPECT_EQ(outcome.status, 2);
}

#include "CliRunner.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace quillmark::test;

TEST(CliRemove, PrintsTheFinalCaptionsAndWritesTheNewList)
{
    TempDir dir;
    const auto list = dir.write("list.txt", "a@x\r\nb@y, c@z\r\n\r\n");
    const auto removeList = dir.write("remove.txt", "c@z\r\n");
    const auto outcome = runCli({ "remove", list, removeList, "-o", dir.file("new.txt") });
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, "Removed:  1\nNew Address:  2\nTime: 00:00\n");
    EXPECT_EQ(readFile(dir.file("new.txt")), "a@x\r\nb@y\r\n");
}

TEST(CliRemove, FailedChecksExitTwoWithTheWindowsMessage)
{
    TempDir dir;
    const auto list = dir.write("list.txt", "a\r\n");
    const auto removeList = dir.write("remove.txt", "");
    struct Row
    {
        std::vector<std::string> arguments;
        std::string err;
    } table[] = {
        { { "remove", "", removeList, "-o", dir.file("n") }, "Invalid path or file name.\n" },
        { { "remove", dir.file("missing"), removeList, "-o", dir.file("n") }, "Invalid path or file name .\n" },
        { { "remove", list, removeList, "-o", list },
            "The output file is the same file as one of the input files:\n" + list + "\n" },
    };
    for (const auto& row : table) {
        const auto outcome = runCli(row.arguments);
        EXPECT_EQ(outcome.status, 2);
        EXPECT_EQ(outcome.err, row.err);
        EXPECT_EQ(outcome.out, "");
    }
    EXPECT_EQ(readFile(list), "a\r\n");
}

TEST(CliRemove, ExitStatusesOfTheRealProgram)
{
    TempDir dir;
    const auto list = dir.write("list.txt", "a\r\n");
    const auto removeList = dir.write("remove.txt", "");

    auto outcome = runCliProgram({ "remove", list, removeList, "-o", dir.file("new.txt") });
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.err, "") << "no progress bar when standard error is not a terminal";

    outcome = runCliProgram({ "remove", list, removeList, "-o", "/dev/full" });
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.err, "Remove: /dev/full: No space left on device\n");

    outcome = runCliProgram({ "remove", list });
    EXPECT_EQ(outcome.status, 2);

    outcome = runCliProgram({ "remove", "--help" });
    EXPECT_EQ(outcome.status, 0);
    EXPECT_NE(outcome.out.find("REMOVE"), std::string::npos);
}

TEST(CliRemove, ArgumentsWithShellCharactersAreLiteralPaths)
{
    TempDir dir;
    const auto list = dir.write("a list; $(touch pwned) `x`.txt", "a\r\n");
    const auto removeList = dir.write("-remove.txt", "");
    const auto outcome = runCliProgram({ "remove", "-o", dir.file("new $HOME.txt"), list, "--", removeList });
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(readFile(dir.file("new $HOME.txt")), "a\r\n");
}

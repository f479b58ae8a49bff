#include "CliRunner.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

using quillmark::test::CliOutcome;
using quillmark::test::readFile;
using quillmark::test::runCli;
using quillmark::test::runCliProgram;
using quillmark::test::TempDir;

namespace {

bool exists(const std::string& path)
{
    return std::filesystem::exists(path);
}

TEST(SortCommand, SortsJoinedInputsAndDeletesItsWorkFiles)
{
    TempDir dir;
    const std::string a = dir.write("a.txt", "c@x\r\na@x\r\nb@x");
    const std::string b = dir.write("b.txt", "\nb@x\ra@x\r\n");
    for (const char* memory : { "", "64" }) {
        std::vector<std::string> arguments { "sort", a, b, "-o", dir.file("sorted list.txt") };
        if (*memory)
            arguments.insert(arguments.end(), { "--memory", memory });
        const CliOutcome outcome = runCli(arguments);
        EXPECT_EQ(outcome.status, 0) << outcome.err;
        EXPECT_TRUE(std::regex_match(outcome.out, std::regex("Sort file done\\. Time: [0-9]{2}:[0-9]{2}\n")))
            << outcome.out;
        EXPECT_EQ(readFile(dir.file("sorted list.txt")), "a@x\r\nb@x\r\nc@x\r\n");
        EXPECT_FALSE(exists(dir.file("merglist.tmp")));
        EXPECT_FALSE(exists(dir.file("duplist.tmp")));
        EXPECT_EQ(readFile(a), "c@x\r\na@x\r\nb@x");
    }
}

TEST(SortCommand, RefusalsAndFailuresGiveTheirStatusAndText)
{
    TempDir dir;
    const std::string a = dir.write("a.txt", "a\r\n");
    std::filesystem::create_directory(dir.file("sub"));
    struct Case
    {
        const char* name;
        std::vector<std::string> arguments;
        int status;
        std::string err;
    };
    const Case table[] = {
        { "no input", { "sort", "-o", dir.file("out.txt") }, 2, "You must add the files you want to sort.\n" },
        { "missing output folder", { "sort", a, "-o", dir.file("no/out.txt") }, 2,
            "Invalid path for: " + dir.file("no/out.txt") + "\n" },
        { "missing input", { "sort", a, dir.file("b.txt"), "-o", dir.file("out.txt") }, 2,
            "Invalid path or file name for: \n" + dir.file("b.txt") + "\n" },
        { "output is the input", { "sort", a, "-o", a }, 2,
            "The output file is the same file as one of the input files:\n" + a + "\n" },
        { "output is a folder", { "sort", a, "-o", dir.file("sub") }, 1,
            "Sort File: " + dir.file("sub") + ": Is a directory\n" },
    };
    for (const auto& row : table) {
        const CliOutcome outcome = runCli(row.arguments);
        EXPECT_EQ(outcome.status, row.status) << row.name;
        EXPECT_EQ(outcome.err, row.err) << row.name;
        EXPECT_EQ(outcome.out, "") << row.name;
        EXPECT_FALSE(exists(dir.file("merglist.tmp"))) << row.name;
    }
    EXPECT_EQ(readFile(a), "a\r\n");
}

TEST(SortCommand, RealProgramExitsZeroWithTheCaption)
{
    TempDir dir;
    const std::string a = dir.write("a.txt", "b\r\na\r\na\r\n");
    const CliOutcome outcome = runCliProgram({ "sort", a, "-o", dir.file("out.txt") });
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out.rfind("Sort file done. Time: ", 0), 0u);
    EXPECT_EQ(readFile(dir.file("out.txt")), "a\r\nb\r\n");
}

// Runs the built fsort in dir with an argument list, no shell.
CliOutcome runFsort(const TempDir& dir, const std::vector<std::string>& arguments)
{
    return quillmark::test::runBuiltProgram("fsort", arguments, dir.path());
}

TEST(Fsort, AcceptsTheToolsCommandLineInAnyOrder)
{
    const std::vector<std::vector<std::string>> commandLines = {
        { "/I=merglist.tmp", "/O=sorted file.txt", "/D=duplist.tmp", "/K=1,30" },
        { "/K=1,30", "/D=duplist.tmp", "/O=sorted file.txt", "/I=merglist.tmp" },
        { "/I=merglist.tmp", "/O=sorted file.txt", "/D=duplist.tmp", "/M=1K" },
    };
    for (const auto& arguments : commandLines) {
        TempDir dir;
        dir.write("merglist.tmp", "b@x\r\na@x\nb@x\r\n\r\nc@x");
        const CliOutcome outcome = runFsort(dir, arguments);
        EXPECT_EQ(outcome.status, 0) << outcome.err;
        EXPECT_EQ(outcome.err, "");
        EXPECT_EQ(readFile(dir.file("sorted file.txt")), "a@x\r\nb@x\r\nc@x\r\n");
        EXPECT_EQ(readFile(dir.file("duplist.tmp")), "b@x\r\n");
    }
}

TEST(Fsort, UsageForAnythingElseAndFailuresOnStandardError)
{
    TempDir dir;
    dir.write("merglist.tmp", "a\r\n");
    const std::vector<std::vector<std::string>> usages = {
        {},
        { "/I=merglist.tmp", "/O=out.txt" },
        { "/I=merglist.tmp", "/O=out", "extra", "/D=duplist.tmp" },
        { "/I=merglist.tmp", "/O=out", "/D=duplist.tmp", "/K=0,30" },
        { "/I=merglist.tmp", "/O=out", "/D=duplist.tmp", "/K=1" },
        { "/I=merglist.tmp", "/O=out", "/O=other", "/D=duplist.tmp" },
        { "/X=1", "/I=merglist.tmp", "/O=out", "/D=duplist.tmp" },
        { "-h" },
    };
    for (const auto& arguments : usages) {
        const CliOutcome outcome = runFsort(dir, arguments);
        EXPECT_EQ(outcome.status, 2);
        EXPECT_EQ(outcome.err.rfind("usage: fsort", 0), 0u) << outcome.err;
        EXPECT_FALSE(exists(dir.file("out")));
    }
    const CliOutcome missing = runFsort(dir, { "/I=none.tmp", "/O=out.txt", "/D=duplist.tmp", "/K=1,30" });
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "fsort: none.tmp: No such file or directory\n");
    const CliOutcome emptyName = runFsort(dir, { "/I=merglist.tmp", "/O=", "/D=duplist.tmp", "/K=1,30" });
    EXPECT_EQ(emptyName.status, 1);
    EXPECT_EQ(emptyName.err, "fsort: (no file name): No such file or directory\n");
}

} // namespace

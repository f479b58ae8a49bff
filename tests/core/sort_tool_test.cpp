#include "core/sort_tool.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>
#include <vector>

using namespace quillmark::core;
using quillmark::test::readFile;
using quillmark::test::TempDir;

namespace {

struct PhaseRecorder : ProgressSink
{
    std::vector<int> phases;
    void phase(int value) override { phases.push_back(value); }
};

TEST(SortTool, OutputDirIsTheTextUpToTheLastSeparator)
{
    const std::pair<const char*, const char*> table[] = {
        { "/home/u/out.txt", "/home/u/" },
        { "out.txt", "" },
        { "", "" },
        { "/home/u/", "/home/u/" },
        { "a/b c/d.txt", "a/b c/" },
        { "/", "/" },
    };
    for (const auto& [path, folder] : table)
        EXPECT_EQ(setOutputDir(path), folder) << path;
}

TEST(SortTool, WorkFilesSitInTheOutputFolderMadeAbsolute)
{
    const SortWorkFiles absolute = sortWorkFiles("/data/lists/sorted.txt", "/elsewhere");
    EXPECT_EQ(absolute.directory, "/data/lists/");
    EXPECT_EQ(absolute.sortFileName, "sorted.txt");
    EXPECT_EQ(absolute.outputPath, "/data/lists/sorted.txt");
    EXPECT_EQ(absolute.mergeListPath, "/data/lists/merglist.tmp");
    EXPECT_EQ(absolute.dupListPath, "/data/lists/duplist.tmp");
    // A relative folder is taken from the working directory of the moment, before the run moves it.
    EXPECT_EQ(sortWorkFiles("sub/x.txt", "/work").mergeListPath, "/work/sub/merglist.tmp");
    EXPECT_EQ(sortWorkFiles("x.txt", "/work/").outputPath, "/work/x.txt");
    EXPECT_EQ(sortWorkFiles("/data/", "/work").sortFileName, "");
}

TEST(SortTool, ChecksComeInOrderWithTheirMessages)
{
    TempDir dir;
    const std::string a = dir.write("a.txt", "a\r\n");
    const std::string mergeList = dir.write("merglist.tmp", "old\r\n");
    const std::string out = dir.file("out.txt");
    struct CheckCase
    {
        const char* name;
        SortParams params;
        std::string text; // "" when the check passes
        int style;
    };
    const CheckCase table[] = {
        { "missing output folder checked first", { dir.file("no/out.txt"), {} },
            "Invalid path for: " + dir.file("no/out.txt"), kExclamation },
        { "a file as the folder", { a + "/out.txt", { a } }, "Invalid path for: " + a + "/out.txt", kExclamation },
        { "no input", { out, {} }, "You must add the files you want to sort.", kOkOnly },
        { "second input missing", { out, { a, dir.file("b.txt") } },
            "Invalid path or file name for: \r" + dir.file("b.txt"), kExclamation },
        { "a folder is no input", { out, { dir.path() } }, "Invalid path or file name for: \r" + dir.path(),
            kExclamation },
        { "output is an input", { dir.path() + "/./a.txt", { a } },
            "The output file is the same file as one of the input files:\r" + dir.path() + "/./a.txt", kExclamation },
        { "work file is an input", { out, { a, mergeList } },
            "A work file of the sort is one of the files to sort:\r" + dir.file("merglist.tmp"), kExclamation },
        { "output is the duplicates work file", { dir.file("duplist.tmp"), { a } },
            "The output file cannot be a work file of the sort:\r" + dir.file("duplist.tmp"), kExclamation },
        { "output ending in a separator passes", { dir.path() + "/", { a } }, "", 0 },
        { "valid", { out, { a, a } }, "", 0 },
    };
    for (const auto& row : table) {
        const auto failure = checkSort(row.params, "/", isExistingFile, isExistingDirectory);
        if (row.text.empty()) {
            EXPECT_FALSE(failure) << row.name << ": " << failure->text;
            continue;
        }
        ASSERT_TRUE(failure) << row.name;
        EXPECT_EQ(failure->text, row.text) << row.name;
        EXPECT_EQ(failure->style, row.style) << row.name;
        EXPECT_EQ(failure->title, "Sorting") << row.name;
    }
}

TEST(SortTool, OutputWithoutFolderChecksAgainstTheWorkingDirectory)
{
    TempDir dir;
    const std::string a = dir.write("a.txt", "a\r\n");
    EXPECT_FALSE(checkSort({ "out.txt", { a } }, dir.path(), isExistingFile, isExistingDirectory));
    // "a.txt" in the working directory is the input itself.
    const auto failure = checkSort({ "a.txt", { a } }, dir.path(), isExistingFile, isExistingDirectory);
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->title, "Sorting");
}

TEST(SortTool, MergesInputsByteForByteThenSorts)
{
    TempDir dir;
    // The first input's last line has no line end, so it joins the second input's first line.
    const std::string first = dir.write("first.txt", "b@x\r\na@x\r\nc@x");
    const std::string second = dir.write("second.txt", "d@x\r\nb@x\r\n\r\n");
    const std::string empty = dir.write("empty.txt", "");
    dir.write("merglist.tmp", std::string(5000, 'z'));
    SortRunParams params { { first, empty, second, first }, sortWorkFiles(dir.file("sorted.txt"), "/"), 0, 0 };
    PhaseRecorder progress;
    const SortResult result = runSort(params, progress);
    ASSERT_FALSE(result.error) << result.error->message();
    EXPECT_EQ(readFile(dir.file("merglist.tmp")), readFile(first) + readFile(second) + readFile(first));
    EXPECT_EQ(readFile(dir.file("sorted.txt")), "a@x\r\nb@x\r\nc@x\r\nc@xd@x\r\n");
    EXPECT_EQ(readFile(dir.file("duplist.tmp")), "a@x\r\nb@x\r\nb@x\r\n");
    EXPECT_EQ(result.written, 4);
    EXPECT_EQ(result.duplicates, 3);
    EXPECT_EQ(progress.phases.front(), 1);
    EXPECT_EQ(readFile(first), "b@x\r\na@x\r\nc@x");
}

TEST(SortTool, FailuresStopTheRunAndNameTheFile)
{
    TempDir dir;
    const std::string a = dir.write("a.txt", "b\r\na\r\n");
    std::filesystem::create_directory(dir.file("sub"));
    struct FailCase
    {
        const char* name;
        std::vector<std::string> inputs;
        std::string outputText;
        std::string failingPath;
        bool merged; // phase 1 reached
    };
    const FailCase table[] = {
        { "input vanished after the check", { a, dir.file("gone.txt") }, dir.file("out.txt"), dir.file("gone.txt"),
            false },
        { "output folder vanished", { a }, dir.file("gone/out.txt"), dir.file("gone/merglist.tmp"), false },
        { "empty output name", { a }, dir.path() + "/", dir.path() + "/", true },
        { "output is a folder", { a }, dir.file("sub"), dir.file("sub"), true },
    };
    for (const auto& row : table) {
        PhaseRecorder progress;
        const SortResult result = runSort({ row.inputs, sortWorkFiles(row.outputText, "/"), 0, 0 }, progress);
        ASSERT_TRUE(result.error) << row.name;
        EXPECT_EQ(result.error->path, row.failingPath) << row.name;
        EXPECT_EQ(!progress.phases.empty(), row.merged) << row.name;
    }
}

} // namespace

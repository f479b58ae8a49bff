#include "core/split.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

using namespace quillmark::core;
using quillmark::test::readFile;
using quillmark::test::TempDir;
using namespace std::string_literals;

namespace {

std::string fixture(const char* name)
{
    return (std::filesystem::path(__FILE__).parent_path().parent_path() / "fixtures/listtools" / name).string();
}

std::string items(int from, int to)
{
    std::string text;
    for (int i = from; i <= to; ++i)
        text += "u" + std::to_string(i) + "@x.com\r\n";
    return text;
}

// The numbered files in the folder and nothing else.
std::vector<std::string> splitFiles(const TempDir& dir, const std::string& except)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        if (entry.path().string() != except)
            names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

struct SplitCase
{
    const char* name;
    std::string list;
    std::int32_t limit;
    std::vector<std::string> contents; // Spliter1.txt, Spliter2.txt, ...
};

TEST(SplitEngine, NumberedFilesOfTheLimitAndTheRestInTheLast)
{
    const SplitCase table[] = {
        { "10 items by 4", items(1, 10), 4, { items(1, 4), items(5, 8), items(9, 10) } },
        { "8 items by 4: no empty third file", items(1, 8), 4, { items(1, 4), items(5, 8) } },
        { "empty input: no file", "", 4, {} },
        { "limit 0 is never reached", items(1, 5), 0, { items(1, 5) } },
        { "a negative limit neither", items(1, 3), -2, { items(1, 3) } },
        { "limit 1", items(1, 3), 1, { items(1, 1), items(2, 2), items(3, 3) } },
        { "blank lines are items", "a\r\n\r\n\r\nb\r\n", 2, { "a\r\n\r\n", "\r\nb\r\n" } },
        { "commas split, quotes dropped, last line ended", "a, \"b\",c\rd", 3, { "a\r\nb\r\nc\r\n", "d\r\n" } },
    };
    for (const auto& row : table) {
        TempDir dir;
        const std::string input = dir.write("list.adr", row.list);
        const SplitResult result = runSplit({ input, row.limit, "Spliter", dir.path() });
        ASSERT_FALSE(result.error) << row.name << ": " << result.error->message();
        ASSERT_EQ(result.files.size(), row.contents.size()) << row.name;
        std::vector<std::string> expectedNames;
        for (std::size_t i = 0; i < row.contents.size(); ++i) {
            const std::string path = dir.file("Spliter" + std::to_string(i + 1) + ".txt");
            expectedNames.push_back("Spliter" + std::to_string(i + 1) + ".txt");
            EXPECT_EQ(readFile(path), row.contents[i]) << row.name << " file " << i + 1;
            EXPECT_EQ(result.files[i].path, path);
            const auto lines = std::count(row.contents[i].begin(), row.contents[i].end(), '\n');
            EXPECT_EQ(result.files[i].count, lines) << row.name;
        }
        std::sort(expectedNames.begin(), expectedNames.end());
        EXPECT_EQ(splitFiles(dir, input), expectedNames) << row.name;
        EXPECT_EQ(readFile(input), row.list);
    }
}

TEST(SplitEngine, SameFilesAtEveryBufferSize)
{
    const std::string expected[] = {
        "ann@example.com\r\nbob@example.org\r\ncarl@example.com\r\n",
        "\r\ndora@mail.example.com\r\nEve@EXAMPLE.COM\r\n",
        "ren\xe9@caf\xe9.com\r\n"s + "nul\0byte@example.com\r\n"s + "ann@example.com\r\n",
        "last@example.net\r\n",
    };
    for (const std::size_t bufferSize : { std::size_t { 1 }, std::size_t { 2 }, std::size_t { 3 }, kReadBufferSize }) {
        TempDir dir;
        const SplitResult result = runSplit({ fixture("mixed.txt"), 3, "part", dir.path(), bufferSize });
        ASSERT_FALSE(result.error);
        ASSERT_EQ(result.files.size(), 4u);
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(readFile(dir.file("part" + std::to_string(i + 1) + ".txt")), expected[i]) << bufferSize;
        EXPECT_EQ(result.files[3].count, 1);
    }
}

TEST(SplitEngine, NamesEntriesAndReplacedFiles)
{
    TempDir dir;
    const std::string input = dir.write("list.txt", items(1, 3));
    dir.write("1.txt", std::string(4000, 'z'));
    SplitResult result = runSplit({ input, 2, "", dir.path() + "/" });
    ASSERT_FALSE(result.error);
    EXPECT_EQ(readFile(dir.file("1.txt")), items(1, 2)) << "an older, longer file is replaced";
    EXPECT_EQ(readFile(dir.file("2.txt")), items(3, 3));
    EXPECT_EQ(splitEntryText(result.files[0]), "2 addresses to " + dir.file("1.txt"));
    EXPECT_EQ(splitEntryText(result.files[1]), "1 addresses to " + dir.file("2.txt"));

    EXPECT_EQ(splitFilePath("/home/ann", "Spliter", 10), "/home/ann/Spliter10.txt");
    EXPECT_EQ(splitFilePath("/", "a b", 1), "/a b1.txt");
}

// Each file is reported when it is finished, before the next one exists.
TEST(SplitEngine, ReportsEachFileWhenFinished)
{
    struct Recorder : SplitProgress
    {
        const TempDir* dir;
        std::vector<std::string> entries;
        std::vector<bool> nextExisted;
        void fileWritten(const SplitFile& file) override
        {
            entries.push_back(splitEntryText(file));
            nextExisted.push_back(
                std::filesystem::exists(dir->file("s" + std::to_string(entries.size() + 1) + ".txt")));
        }
    } recorder;
    TempDir dir;
    recorder.dir = &dir;
    const std::string input = dir.write("list.txt", items(1, 5));
    const SplitResult result = runSplit({ input, 2, "s", dir.path() }, recorder);
    ASSERT_FALSE(result.error);
    const std::vector<std::string> expected { "2 addresses to " + dir.file("s1.txt"),
        "2 addresses to " + dir.file("s2.txt"), "1 addresses to " + dir.file("s3.txt") };
    EXPECT_EQ(recorder.entries, expected);
    EXPECT_EQ(recorder.nextExisted, std::vector<bool>(3, false));
}

TEST(SplitEngine, FailuresKeepTheFilesFinishedAndWritten)
{
    TempDir dir;
    const std::string input = dir.write("list.txt", items(1, 5));

    // The second file cannot be created: the first stays, finished and listed.
    std::filesystem::create_directory(dir.file("s2.txt"));
    SplitResult result = runSplit({ input, 2, "s", dir.path() });
    ASSERT_TRUE(result.error);
    EXPECT_EQ(result.error->path, dir.file("s2.txt"));
    EXPECT_EQ(result.error->code, std::errc::is_a_directory);
    ASSERT_EQ(result.files.size(), 1u);
    EXPECT_EQ(readFile(dir.file("s1.txt")), items(1, 2));

    result = runSplit({ input, 2, "s", dir.file("missing") });
    ASSERT_TRUE(result.error);
    EXPECT_EQ(result.error->path, dir.file("missing/s1.txt"));
    EXPECT_TRUE(result.files.empty());

    result = runSplit({ dir.file("gone.txt"), 2, "s", dir.path() });
    ASSERT_TRUE(result.error);
    EXPECT_EQ(result.error->path, dir.file("gone.txt"));

    // A slash in the base name would leave the folder.
    std::filesystem::create_directory(dir.file("sub"));
    for (const std::string& base : { "sub/x"s, "../x"s, "a\0b"s }) {
        result = runSplit({ input, 2, base, dir.file("sub") });
        ASSERT_TRUE(result.error) << base;
        EXPECT_EQ(result.error->code, std::errc::invalid_argument);
        EXPECT_EQ(result.error->path, splitFilePath(dir.file("sub"), base, 1));
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir.file("sub")));
    EXPECT_FALSE(std::filesystem::exists(dir.file("x1.txt")));
    EXPECT_EQ(readFile(input), items(1, 5));
}

TEST(SplitLimit, WholeNumbersThatFitIn32Bits)
{
    struct Row
    {
        const char* text;
        std::optional<std::int32_t> limit;
    } table[] = {
        { "10000", 10000 }, { " \t4  ", 4 }, { "+4", 4 }, { "-3", -3 }, { "0", 0 }, { "007", 7 },
        { "2147483647", 2147483647 }, { "-2147483648", INT32_MIN }, { "2147483648", std::nullopt },
        { "-2147483649", std::nullopt }, { "99999999999999999999999999", std::nullopt }, { "", std::nullopt },
        { "abc", std::nullopt }, { "4 4", std::nullopt }, { "2.5", std::nullopt }, { "1e3", std::nullopt },
        { "+", std::nullopt }, { "--4", std::nullopt }, { "\xd9\xa4", std::nullopt }, // an Arabic-Indic digit
    };
    for (const auto& row : table) {
        const SplitLimit converted = convertSplitLimit(row.text);
        EXPECT_EQ(converted.limit, row.limit) << row.text;
        EXPECT_EQ(converted.failure.empty(), row.limit.has_value()) << row.text;
    }
    EXPECT_EQ(convertSplitLimit("ten").failure, "Number Per File must be a whole number, not \"ten\".");
    EXPECT_EQ(convertSplitLimit("").failure, "Number Per File must be a whole number, not \"\".");
    EXPECT_EQ(convertSplitLimit("3000000000").failure, "Number Per File is out of range: \"3000000000\".");
}

TEST(SplitCheck, MissingInput)
{
    TempDir dir;
    for (const std::string& input : { dir.file("missing.txt"), dir.path(), ""s }) {
        const auto failure = checkSplit({ input, 4, "Spliter", dir.path() }, isExistingFile);
        ASSERT_TRUE(failure) << input;
        EXPECT_EQ(failure->text, "Invalid path or file name for: \r" + input);
        EXPECT_EQ(failure->style, 48);
        EXPECT_EQ(failure->title, "Remove File");
    }
}

// Creating a numbered file anew would cut short the input that is being read.
TEST(SplitCheck, RefusesAnInputTheRunCouldWrite)
{
    TempDir dir;
    TempDir elsewhere;
    const std::string list = elsewhere.write("list.txt", items(1, 9));
    const std::string inFolder = dir.write("Spliter2.txt", items(1, 9));
    ASSERT_EQ(::link(list.c_str(), dir.file("Spliter17.txt").c_str()), 0);
    ASSERT_EQ(::symlink(list.c_str(), elsewhere.file("link.txt").c_str()), 0);
    ASSERT_EQ(::symlink(elsewhere.file("other.txt").c_str(), dir.file("Spliter3.txt").c_str()), 0);
    const std::string other = elsewhere.write("other.txt", "o\r\n");

    struct Row
    {
        std::string input;
        std::string base;
        std::string refused; // empty: the check passes
    } table[] = {
        { inFolder, "Spliter", inFolder },
        { dir.path() + "/./Spliter2.txt", "Spliter", inFolder },
        { list, "Spliter", dir.file("Spliter17.txt") },
        { elsewhere.file("link.txt"), "Spliter", dir.file("Spliter17.txt") },
        { other, "Spliter", dir.file("Spliter3.txt") },
        { inFolder, "Split", "" }, // Split2.txt is not this file, and "er2" is no number
        { inFolder, "spliter", "" }, // case counts
        { list, "Spliter1", dir.file("Spliter17.txt") }, // Spliter1 + 7
        { list, "", "" },
    };
    for (const auto& row : table) {
        const auto failure = checkSplit({ row.input, 4, row.base, dir.path() }, isExistingFile);
        if (row.refused.empty()) {
            EXPECT_FALSE(failure) << row.input << " " << row.base << ": " << failure->text;
            continue;
        }
        ASSERT_TRUE(failure) << row.input << " " << row.base;
        EXPECT_EQ(failure->text, "The output file is the same file as one of the input files:\r" + row.refused);
        EXPECT_EQ(failure->style, 48);
        EXPECT_EQ(failure->title, "Remove File");
    }

    // Names the run never writes: a leading zero, no number.
    TempDir third;
    const std::string zero = third.write("Spliter02.txt", "a\r\n");
    const std::string bare = third.write("Spliter.txt", "a\r\n");
    EXPECT_FALSE(checkSplit({ zero, 4, "Spliter", third.path() }, isExistingFile));
    EXPECT_FALSE(checkSplit({ bare, 4, "Spliter", third.path() }, isExistingFile));
    EXPECT_EQ(readFile(inFolder), items(1, 9));
    EXPECT_EQ(readFile(list), items(1, 9));
}

} // namespace

#include "core/extract.h"
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

struct ExtractCase
{
    const char* name;
    std::string list;
    std::string keyword;
    bool unExtract;
    std::string expected;
    std::int64_t written;
};

TEST(ExtractEngine, CaseSensitiveSubstringTestPerItem)
{
    const ExtractCase table[] = {
        { "anywhere in the item, case counts", "a@x.com\r\nb.com@y.org\r\nc@Z.COM\r\n", ".com", false,
            "a@x.com\r\nb.com@y.org\r\n", 2 },
        { "un-extract keeps the others", "a@x.com\r\nb.com@y.org\r\nc@Z.COM\r\n", ".com", true, "c@Z.COM\r\n", 1 },
        { "a line is tested part by part", "a@x.com, b@y.org,c@z.com\r\n", ".com", false, "a@x.com\r\nc@z.com\r\n", 2 },
        { "quotes and leading blanks dropped", "  \"q@x.com\"\r\n\t r@x.com\r\n", ".com", false,
            "q@x.com\r\nr@x.com\r\n", 2 },
        { "blank line dropped by extract", "a@x.com\r\n\r\n", ".com", false, "a@x.com\r\n", 1 },
        { "blank line kept by un-extract", "a@x.com\r\n\r\nb@y\r\n", ".com", true, "\r\nb@y\r\n", 2 },
        { "empty keyword is in every item, the empty one too", "a\r\n\r\nb", "", false, "a\r\n\r\nb\r\n", 3 },
        { "empty keyword leaves un-extract nothing", "a\r\n\r\nb", "", true, "", 0 },
        { "keyword taken as typed", "a com\r\nb.com\r\n", " com", false, "a com\r\n", 1 },
        { "nothing passes", "a@x.org\r\n", ".com", false, "", 0 },
        { "duplicates stay", "a@x.com\r\na@x.com\r\n", ".com", false, "a@x.com\r\na@x.com\r\n", 2 },
        { "eight-bit and NUL bytes compared as bytes", "caf\xe9\r\nn\0l\r\ncafe\r\n"s, "\xe9"s, false, "caf\xe9\r\n",
            1 },
        { "NUL in the keyword", "caf\xe9\r\nn\0l\r\ncafe\r\n"s, "\0"s, false, "n\0l\r\n"s, 1 },
    };
    for (const auto& row : table) {
        TempDir dir;
        ExtractParams params { { dir.write("list.txt", row.list) }, dir.file("new.txt"), row.keyword, row.unExtract };
        const ExtractResult result = runExtract(params);
        ASSERT_FALSE(result.error) << row.name << ": " << result.error->message();
        EXPECT_EQ(readFile(params.outputPath), row.expected) << row.name;
        EXPECT_EQ(result.written, row.written) << row.name;
    }
}

// The fixture mixes line ends, a byte-order mark, quotes, a NUL and a last line without line end; every buffer
// size must give the same items.
TEST(ExtractEngine, SeveralInputsInListOrderAtEveryBufferSize)
{
    TempDir dir;
    const std::string mixed = fixture("mixed.txt");
    const std::string other = dir.write("other.txt", "zed@example.com");
    const std::string kept = "ann@example.com\r\ncarl@example.com\r\ndora@mail.example.com\r\n"
                             "ren\xe9@caf\xe9.com\r\n"
        + "nul\0byte@example.com\r\n"s + "ann@example.com\r\n";
    const std::string dropped = "bob@example.org\r\n\r\nEve@EXAMPLE.COM\r\nlast@example.net\r\n";
    for (const std::size_t bufferSize : { std::size_t { 1 }, std::size_t { 2 }, std::size_t { 3 }, kReadBufferSize }) {
        ExtractParams params { { mixed, other, mixed }, dir.file("new.txt"), ".com", false, bufferSize };
        auto result = runExtract(params);
        ASSERT_FALSE(result.error);
        EXPECT_EQ(readFile(params.outputPath), kept + "zed@example.com\r\n" + kept) << bufferSize;
        EXPECT_EQ(result.written, 13);

        params.unExtract = true;
        result = runExtract(params);
        ASSERT_FALSE(result.error);
        EXPECT_EQ(readFile(params.outputPath), dropped + dropped) << bufferSize;
        EXPECT_EQ(result.written, 8);
    }
}

TEST(ExtractEngine, ReplacesALongerOutputAndLeavesInputsUnchanged)
{
    TempDir dir;
    const std::string list = dir.write("list.txt", "a@x.com\r\n");
    ExtractParams params { { list }, dir.write("new.txt", std::string(3000, 'z')), ".com" };
    ASSERT_FALSE(runExtract(params).error);
    EXPECT_EQ(readFile(params.outputPath), "a@x.com\r\n");
    EXPECT_EQ(readFile(list), "a@x.com\r\n");
}

TEST(ExtractEngine, FailuresNameTheFileAndKeepTheCount)
{
    TempDir dir;
    const std::string list = dir.write("list.txt", "a@x.com\r\nb@y.com\r\n");
    const std::string gone = dir.file("gone.txt");

    auto result = runExtract({ { list }, "", ".com" });
    ASSERT_TRUE(result.error);
    EXPECT_EQ(result.error->code, std::errc::no_such_file_or_directory);

    ExtractParams vanished { { list, gone }, dir.file("new.txt"), ".com" };
    result = runExtract(vanished);
    ASSERT_TRUE(result.error);
    EXPECT_EQ(result.error->path, gone);
    EXPECT_EQ(result.written, 2);
    EXPECT_EQ(readFile(vanished.outputPath), "a@x.com\r\nb@y.com\r\n");

    result = runExtract({ { list }, "/dev/full", ".com" });
    ASSERT_TRUE(result.error);
    EXPECT_EQ(result.error->code, std::errc::no_space_on_device);
}

TEST(ExtractCheck, MessagesInOrder)
{
    TempDir dir;
    const std::string list = dir.write("list.txt", "a");
    const std::string missing = dir.file("missing.txt");

    auto failure = checkExtract({ {}, dir.file("new.txt"), ".com" }, isExistingFile);
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->text, "You must add the files you want to extract.");
    EXPECT_EQ(failure->style, 0);
    EXPECT_EQ(failure->title, "Extracting");

    for (const auto& inputs : { std::vector<std::string> { list, missing, dir.path() },
             std::vector<std::string> { list, dir.path(), missing } }) {
        failure = checkExtract({ inputs, "", "" }, isExistingFile);
        ASSERT_TRUE(failure);
        EXPECT_EQ(failure->text, "Invalid path or file name for: \r" + inputs[1]);
        EXPECT_EQ(failure->style, 48);
        EXPECT_EQ(failure->title, "Remove File");
    }

    EXPECT_FALSE(checkExtract({ { list, list }, "", "" }, isExistingFile));

    failure = checkExtract({ { missing, list }, list, "" }, isExistingFile);
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->title, "Remove File") << "the paths come before the output";

    ASSERT_EQ(::symlink(list.c_str(), dir.file("link.txt").c_str()), 0);
    failure = checkExtract({ { list }, dir.file("link.txt"), "" }, isExistingFile);
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->text, "The output file is the same file as one of the input files:\r" + dir.file("link.txt"));
    EXPECT_EQ(readFile(list), "a");
}

} // namespace

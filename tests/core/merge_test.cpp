#include "core/input.h"
#include "core/merge.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <unistd.h>

using namespace quillmark::core;
using quillmark::test::readFile;
using quillmark::test::TempDir;

namespace {

std::string fixture(const char* name)
{
    return (std::filesystem::path(__FILE__).parent_path().parent_path() / "fixtures/listtools" / name).string();
}

std::string randomBytes(std::size_t size)
{
    std::mt19937 generator(7);
    std::string bytes(size, '\0');
    for (auto& byte : bytes)
        byte = static_cast<char>(generator());
    return bytes;
}

struct Recorder : ProgressSink
{
    std::vector<double> percents;
    void percent(double value) override { percents.push_back(value); }
};

// Both ways of copying, and blocks small enough that every edge falls inside a line end, a quote or a NUL.
TEST(MergeEngine, CopiesEveryByteInListOrderWithEitherCopy)
{
    TempDir dir;
    const std::string mixed = fixture("mixed.txt");
    const std::string noLineEnd = dir.write("noend.txt", "x@y");
    const std::string empty = dir.write("empty.txt", "");
    const std::string second = dir.write("second.txt", "a@b,\"c\"\r\n\r\na@b\r\n");
    const std::vector<std::string> inputs { noLineEnd, mixed, empty, second, noLineEnd, mixed };
    std::string expected;
    for (const auto& input : inputs)
        expected += readFile(input);

    for (const bool kernelCopy : { true, false }) {
        for (const std::size_t blockSize :
            { std::size_t { 1 }, std::size_t { 2 }, std::size_t { 3 }, kMergeBlockSize }) {
            MergeParams params { inputs, dir.file("merged.txt"), blockSize, kernelCopy };
            const MergeResult result = runMerge(params);
            ASSERT_FALSE(result.error) << result.error->message();
            EXPECT_EQ(readFile(params.outputPath), expected) << "kernel " << kernelCopy << ", block " << blockSize;
            EXPECT_EQ(result.bytes, static_cast<std::int64_t>(expected.size()));
        }
    }
    EXPECT_EQ(readFile(noLineEnd), "x@y");
}

TEST(MergeEngine, FilesLargerThanOneBlockArriveWhole)
{
    TempDir dir;
    const std::string big = randomBytes(kMergeBlockSize * 2 + 7);
    const std::string first = dir.write("big.bin", big);
    const std::string second = dir.write("tail.txt", "end\r\n");
    for (const bool kernelCopy : { true, false }) {
        MergeParams params { { first, second, first }, dir.file("merged.txt"), kMergeBlockSize, kernelCopy };
        Recorder recorder;
        const MergeResult result = runMerge(params, recorder);
        ASSERT_FALSE(result.error) << result.error->message();
        EXPECT_TRUE(readFile(params.outputPath) == big + "end\r\n" + big) << "kernel " << kernelCopy;
        ASSERT_FALSE(recorder.percents.empty());
        EXPECT_DOUBLE_EQ(recorder.percents.back(), 100.0);
        EXPECT_TRUE(std::is_sorted(recorder.percents.begin(), recorder.percents.end()));
    }
}

TEST(MergeEngine, EmptyInputsGiveAnEmptyFileThatReplacesALongerOne)
{
    TempDir dir;
    const std::string empty = dir.write("empty.txt", "");
    MergeParams params { { empty, empty }, dir.write("merged.txt", std::string(5000, 'z')) };
    const MergeResult result = runMerge(params);
    ASSERT_FALSE(result.error);
    EXPECT_EQ(readFile(params.outputPath), "");
    EXPECT_EQ(result.bytes, 0);
}

// A file the system makes up as it is read reports no size: the kernel copy refuses it, or on some kernels
// takes it for empty.
TEST(MergeEngine, GeneratedFilesGiveTheBytesAReadGives)
{
    const std::string generated = "/proc/sys/kernel/ostype";
    if (!std::filesystem::exists(generated))
        GTEST_SKIP() << "no " << generated;
    TempDir dir;
    MergeParams params { { generated }, dir.file("merged.txt") };
    const MergeResult result = runMerge(params);
    ASSERT_FALSE(result.error) << result.error->message();
    EXPECT_EQ(readFile(params.outputPath), readWholeFile(generated));
    EXPECT_FALSE(readFile(params.outputPath).empty());
}

TEST(MergeEngine, FailuresNameTheFileAndKeepWhatWasWritten)
{
    TempDir dir;
    const std::string first = dir.write("first.txt", "a@x\r\n");
    const std::string gone = dir.file("gone.txt");

    auto result = runMerge({ { first }, "" });
    ASSERT_TRUE(result.error);
    EXPECT_EQ(result.error->code, std::errc::no_such_file_or_directory);
    EXPECT_EQ(result.error->path, "");

    MergeParams vanished { { first, gone, first }, dir.file("merged.txt") };
    result = runMerge(vanished);
    ASSERT_TRUE(result.error);
    EXPECT_EQ(result.error->path, gone);
    EXPECT_EQ(result.error->code, std::errc::no_such_file_or_directory);
    EXPECT_EQ(readFile(vanished.outputPath), "a@x\r\n");
    EXPECT_EQ(result.bytes, 5);

    result = runMerge({ { first }, dir.file("no/such/folder.txt") });
    ASSERT_TRUE(result.error);
    EXPECT_EQ(result.error->path, dir.file("no/such/folder.txt"));

    result = runMerge({ { dir.path() }, dir.file("merged.txt") });
    ASSERT_TRUE(result.error);
    EXPECT_EQ(result.error->code, std::errc::is_a_directory);

    for (const bool kernelCopy : { true, false }) {
        result = runMerge({ { first }, "/dev/full", kMergeBlockSize, kernelCopy });
        ASSERT_TRUE(result.error);
        EXPECT_EQ(result.error->path, "/dev/full");
        EXPECT_EQ(result.error->code, std::errc::no_space_on_device);
    }
}

TEST(MergeCheck, MessagesInOrder)
{
    TempDir dir;
    const std::string first = dir.write("first.txt", "a");
    const std::string missing = dir.file("missing.txt");
    struct Row
    {
        MergeParams params;
        const char* text; // nullptr: the check passes
        const char* title;
    } table[] = {
        { { {}, dir.file("out.txt") }, "Please add the files you want to merge.", "Merge Files" },
        { { { first, missing, dir.path() }, "" }, "Invalid path or file name for: \r", "Remove File" },
        { { { first, dir.path(), missing }, "" }, "Invalid path or file name for: \r", "Remove File" },
        { { { first, first }, "" }, nullptr, nullptr },
        { { { first }, dir.file("out.txt") }, nullptr, nullptr },
    };
    for (const auto& row : table) {
        const auto failure = checkMerge(row.params, isExistingFile);
        if (!row.text) {
            EXPECT_FALSE(failure) << failure->text;
            continue;
        }
        ASSERT_TRUE(failure) << row.text;
        std::string text = row.text;
        if (row.params.inputs.size() > 1)
            text += row.params.inputs[1];
        EXPECT_EQ(failure->text, text);
        EXPECT_EQ(failure->style, 48);
        EXPECT_EQ(failure->title, row.title);
    }
}

TEST(MergeCheck, RefusesAnOutputThatIsAnInputByAnyName)
{
    TempDir dir;
    const std::string first = dir.write("first.txt", "a\r\n");
    const std::string second = dir.write("second.txt", "b\r\n");
    ASSERT_EQ(::symlink(second.c_str(), dir.file("link.txt").c_str()), 0);
    ASSERT_EQ(::link(second.c_str(), dir.file("hard.txt").c_str()), 0);
    for (const std::string& output :
        { second, dir.file("link.txt"), dir.file("hard.txt"), dir.path() + "/./second.txt" }) {
        const auto failure = checkMerge({ { first, second }, output }, isExistingFile);
        ASSERT_TRUE(failure) << output;
        EXPECT_EQ(failure->text, "The output file is the same file as one of the input files:\r" + output);
        EXPECT_EQ(failure->title, "Merge Files");
    }
    EXPECT_EQ(readFile(second), "b\r\n");
}

} // namespace

#include "core/remove.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using namespace quillmark::core;
using quillmark::test::readFile;
using quillmark::test::TempDir;

namespace {

struct Recorder : ProgressSink
{
    std::vector<double> percents;
    void percent(double value) override { percents.push_back(value); }
};

struct RemoveCase
{
    const char* name;
    std::string list;
    std::string removeList;
    std::string expected;
    std::int64_t removed;
    std::int64_t written;
};

TEST(RemoveEngine, SubstringRuleOverTheWholeRemoveText)
{
    const RemoveCase table[] = {
        { "empty remove list keeps every non-empty item", "a@x\r\n\r\nb@y\r\n", "", "a@x\r\nb@y\r\n", 0, 2 },
        { "empty address list", "", "a@x\r\n", "", 0, 0 },
        { "part of a longer address is removed", "com\r\nexample.com\r\nbob@other.org\r\n",
            "alice@example.com\r\n", "bob@other.org\r\n", 2, 1 },
        { "case counts", "Alice@Example.com\r\n", "alice@example.com\r\n", "Alice@Example.com\r\n", 0, 1 },
        { "two items on one line, quotes dropped", "a@x, \"b@y\"\r\nc@z", "b@y", "a@x\r\nc@z\r\n", 1, 2 },
        { "line ends of the remove text count", "x\r\ny", "x\r\ny", "", 2, 0 },
        { "duplicates handled one by one", "a\r\na\r\nb\r\n", "b", "a\r\na\r\n", 1, 2 },
        { "last line without line end", "a\r\nb", "zz", "a\r\nb\r\n", 0, 2 },
    };
    for (const auto& row : table) {
        TempDir dir;
        RemoveParams params { dir.write("list.txt", row.list), dir.write("remove.txt", row.removeList),
            dir.file("new.txt") };
        const RemoveResult result = runRemove(params);
        ASSERT_FALSE(result.error) << row.name << ": " << result.error->message();
        EXPECT_EQ(readFile(params.newPath), row.expected) << row.name;
        EXPECT_EQ(result.removed, row.removed) << row.name;
        EXPECT_EQ(result.written, row.written) << row.name;
    }
}

TEST(RemoveEngine, SameFileAsBothListsGivesEmptyNewList)
{
    TempDir dir;
    const std::string list = dir.write("list.txt", "a@x\r\nb@y\r\n\r\n");
    RemoveParams params { list, list, dir.file("new.txt") };
    const auto result = runRemove(params);
    EXPECT_EQ(readFile(params.newPath), "");
    EXPECT_EQ(result.removed, 2);
}

TEST(RemoveEngine, ReplacesLongerExistingOutputAndLeavesInputsUnchanged)
{
    TempDir dir;
    const std::string listBytes = "a\r\nb\r\n";
    RemoveParams params { dir.write("list.txt", listBytes), dir.write("remove.txt", "b"),
        dir.write("new.txt", std::string(1000, 'z')) };
    ASSERT_FALSE(runRemove(params).error);
    EXPECT_EQ(readFile(params.newPath), "a\r\n");
    EXPECT_EQ(readFile(params.listPath), listBytes);
    EXPECT_EQ(readFile(params.removePath), "b");
}

TEST(RemoveEngine, ProgressOnFirstItemAndEveryFiveHundredWritten)
{
    TempDir dir;
    std::string list;
    for (int i = 0; i < 1200; ++i)
        list += "user" + std::to_string(i) + "@example.com\r\n";
    RemoveParams params { dir.write("list.txt", list), dir.write("remove.txt", ""), dir.file("new.txt") };
    Recorder recorder;
    const auto result = runRemove(params, recorder);
    ASSERT_EQ(result.written, 1200);
    ASSERT_EQ(recorder.percents.size(), 3u);
    // The first update comes after the first item; each is the share of bytes consumed, 1-based.
    const double length = static_cast<double>(list.size());
    EXPECT_DOUBLE_EQ(recorder.percents[0], (std::string("user0@example.com\r\n").size() + 1) / length * 100.0);
    EXPECT_LT(recorder.percents[1], recorder.percents[2]);
}

TEST(RemoveEngine, RemovedAndEmptyItemsDoNotAdvanceProgress)
{
    TempDir dir;
    std::string list;
    for (int i = 0; i < 2000; ++i)
        list += "gone\r\n\r\n";
    RemoveParams params { dir.write("list.txt", list), dir.write("remove.txt", "gone"), dir.file("new.txt") };
    Recorder recorder;
    const auto result = runRemove(params, recorder);
    EXPECT_EQ(result.removed, 2000);
    EXPECT_EQ(recorder.percents.size(), 1u);
}

TEST(RemoveEngine, FailuresNameTheFileAndKeepCounts)
{
    TempDir dir;
    const std::string list = dir.write("list.txt", "a\r\n");
    const std::string removeList = dir.write("remove.txt", "");

    RemoveParams emptyOutput { list, removeList, "" };
    auto result = runRemove(emptyOutput);
    ASSERT_TRUE(result.error);
    EXPECT_EQ(result.error->code, std::errc::no_such_file_or_directory);

    RemoveParams outputInMissingFolder { list, removeList, dir.file("nope/new.txt") };
    result = runRemove(outputInMissingFolder);
    ASSERT_TRUE(result.error);
    EXPECT_EQ(result.error->path, dir.file("nope/new.txt"));

    RemoveParams fullDisk { list, removeList, "/dev/full" };
    result = runRemove(fullDisk);
    ASSERT_TRUE(result.error);
    EXPECT_EQ(result.error->code, std::errc::no_space_on_device);
    EXPECT_EQ(result.written, 1);
}

TEST(RemoveCheck, MessagesInOrder)
{
    TempDir dir;
    const std::string list = dir.write("list.txt", "a");
    const std::string removeList = dir.write("remove.txt", "b");
    const std::string missing = dir.file("missing.txt");
    struct Row
    {
        RemoveParams params;
        const char* text; // nullptr: the check passes
    } table[] = {
        { { "", "", "" }, "Invalid path or file name." },
        { { missing, removeList, "" }, "Invalid path or file name ." },
        { { missing, "", "" }, "Invalid path or file name ." },
        { { list, "", "" }, "Invalid path or file name." },
        { { list, missing, "" }, "Invalid path or file name ." },
        { { dir.path(), removeList, "" }, "Invalid path or file name ." },
        { { list, removeList, "" }, nullptr },
        { { list, removeList, dir.file("new.txt") }, nullptr },
    };
    for (const auto& row : table) {
        const auto failure = checkRemove(row.params, isExistingFile);
        if (!row.text) {
            EXPECT_FALSE(failure) << failure->text;
            continue;
        }
        ASSERT_TRUE(failure) << row.text;
        EXPECT_EQ(failure->text, row.text);
        EXPECT_EQ(failure->style, 48);
        EXPECT_EQ(failure->title, "Remove File");
    }
}

TEST(RemoveCheck, RefusesNewListThatIsAnInputByAnyName)
{
    TempDir dir;
    const std::string list = dir.write("list.txt", "a\r\n");
    const std::string removeList = dir.write("remove.txt", "b");
    ASSERT_EQ(::symlink(list.c_str(), dir.file("link.txt").c_str()), 0);
    ASSERT_EQ(::link(removeList.c_str(), dir.file("hard.txt").c_str()), 0);
    for (const std::string& output : { list, dir.file("link.txt"), dir.file("hard.txt"), dir.path() + "/./list.txt" }) {
        const auto failure = checkRemove({ list, removeList, output }, isExistingFile);
        ASSERT_TRUE(failure) << output;
        EXPECT_EQ(failure->title, "Remove File");
        EXPECT_NE(failure->text.find(output), std::string::npos);
    }
    EXPECT_EQ(readFile(list), "a\r\n");
}

} // namespace

namespace {

int openDescriptors()
{
    int count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd"))
        ++count;
    return count;
}

TEST(RemoveFaults, EachFailsWithTheSystemsTextClosesItsFilesAndLeavesInputsAlone)
{
    TempDir dir;
    const std::string listBytes = "a@x\r\nb@y\r\n";
    const std::string list = dir.write("list.txt", listBytes);
    const std::string removeList = dir.write("remove.txt", "b@y");
    const std::string longName = dir.path() + "/" + std::string(300, 'n');
    struct Row
    {
        const char* name;
        RemoveParams params;
        std::errc code;
    } table[] = {
        { "output on a full disk", { list, removeList, "/dev/full" }, std::errc::no_space_on_device },
        { "output through a regular file", { list, removeList, list + "/x" }, std::errc::not_a_directory },
        { "output is a folder", { list, removeList, dir.path() }, std::errc::is_a_directory },
        { "output name too long", { list, removeList, longName }, std::errc::filename_too_long },
        { "address list vanished after the check", { dir.file("gone.txt"), removeList, dir.file("n1") },
            std::errc::no_such_file_or_directory },
        { "remove list is a folder", { list, dir.path(), dir.file("n2") }, std::errc::is_a_directory },
        { "address list is a folder", { dir.path(), removeList, dir.file("n3") }, std::errc::is_a_directory },
    };
    for (const auto& row : table) {
        const int before = openDescriptors();
        const auto result = runRemove(row.params);
        ASSERT_TRUE(result.error) << row.name;
        EXPECT_EQ(result.error->code, row.code) << row.name << ": " << result.error->message();
        EXPECT_EQ(openDescriptors(), before) << row.name;
        EXPECT_EQ(readFile(list), listBytes) << row.name;
        EXPECT_EQ(readFile(removeList), "b@y") << row.name;
    }
}

TEST(RemoveFaults, DevicesAndPipesAreNotFilesToTheCheck)
{
    TempDir dir;
    const std::string list = dir.write("list.txt", "a\r\n");
    const std::string fifo = dir.file("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& odd : { fifo, std::string("/dev/zero"), std::string("/dev/null") }) {
        auto failure = checkRemove({ odd, list, dir.file("n") }, isExistingFile);
        ASSERT_TRUE(failure) << odd;
        EXPECT_EQ(failure->text, "Invalid path or file name .");
        failure = checkRemove({ list, odd, dir.file("n") }, isExistingFile);
        ASSERT_TRUE(failure) << odd;
    }
}

TEST(RemoveHostileInput, OddListsGiveTheRightBytes)
{
    TempDir dir;
    struct Row
    {
        const char* name;
        std::string list;
        std::string expected;
        std::int64_t written;
    } table[] = {
        { "only commas", std::string(10000, ','), "", 0 },
        { "only quotes", std::string(10001, '"'), "", 0 },
        { "NUL bytes", std::string(5000, '\0'), std::string(5000, '\0') + "\r\n", 1 },
        { "blank lines", std::string(200000, '\n'), "", 0 },
        { "CR only", "a\rb\r\rc", "a\r\nb\r\nc\r\n", 3 },
        { "unclosed quote first", "\"a@x\r\nb@y\r\nc@z\r\n", "a@x\r\nb@y\r\nc@z\r\n", 3 },
        { "byte-order mark", "\xEF\xBB\xBF" "drop@x\r\nkeep@y\r\n", "keep@y\r\n", 1 },
        { "invalid UTF-8", "\xC3\x28@x\r\n\xFF\xFE\r\n", "\xC3\x28@x\r\n\xFF\xFE\r\n", 2 },
    };
    const std::string removeList = dir.write("remove.txt", "drop@x");
    for (const auto& row : table) {
        RemoveParams params { dir.write("list.txt", row.list), removeList, dir.file("new.txt") };
        const auto result = runRemove(params);
        ASSERT_FALSE(result.error) << row.name;
        EXPECT_EQ(readFile(params.newPath), row.expected) << row.name;
        EXPECT_EQ(result.written, row.written) << row.name;
    }
}

TEST(RemoveHostileInput, LongLineWithoutLineEndIsOneItem)
{
    TempDir dir;
    const std::string line(64 << 20, 'x');
    RemoveParams params { dir.write("list.txt", line), dir.write("remove.txt", "y"), dir.file("new.txt") };
    const auto result = runRemove(params);
    ASSERT_FALSE(result.error);
    EXPECT_EQ(result.written, 1);
    EXPECT_EQ(std::filesystem::file_size(params.newPath), line.size() + 2);
}

} // namespace

#include "core/error.h"
#include "core/input.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quillmark::core;
using quillmark::test::TempDir;

namespace {

struct ReadCase
{
    const char* name;
    std::string bytes;
    std::vector<std::string> items;
    std::vector<std::string> lines;
};

// Every case is read with several buffer sizes, so that a line end, a quote or a byte-order mark split
// across a refill cannot hide.
const std::vector<ReadCase>& cases()
{
    static const std::vector<ReadCase> all = {
        { "Empty", "", {}, {} },
        { "CrLf", "a@x\r\nb@y\r\n", { "a@x", "b@y" }, { "a@x", "b@y" } },
        { "LoneCr", "a@x\rb@y\r", { "a@x", "b@y" }, { "a@x", "b@y" } },
        { "LoneLf", "a@x\nb@y\n", { "a@x", "b@y" }, { "a@x", "b@y" } },
        { "LfCrIsTwoLineEnds", "a\n\rb", { "a", "", "b" }, { "a", "", "b" } },
        { "LastLineWithoutEnd", "a@x\r\nb@y", { "a@x", "b@y" }, { "a@x", "b@y" } },
        { "BlankLineIsEmptyItem", "a\r\n\r\nb\r\n", { "a", "", "b" }, { "a", "", "b" } },
        { "CommaSplitsItems", "a@x, b@y\r\n", { "a@x", "b@y" }, { "a@x, b@y" } },
        { "CommaBeforeLineEndGivesEmptyItem", "a,\r\nb", { "a", "", "b" }, { "a,", "b" } },
        { "CommaAtFileEndGivesNoItem", "a,", { "a" }, { "a," } },
        { "BlanksAroundUnquotedDropped", " \t a b \t,c  \r\n", { "a b", "c" }, { " \t a b \t,c  " } },
        { "OnlyBlanks", "   ", { "" }, { "   " } },
        { "QuotedKeepsBlanks", "\" a,b \"\r\nc", { " a,b ", "c" }, { "\" a,b \"", "c" } },
        { "TextAfterClosingQuoteDropped", "\"a\"junk,b\r\n", { "a", "b" }, { "\"a\"junk,b" } },
        { "TextAfterClosingQuoteToLineEnd", "\"a\" x\r\nb", { "a", "b" }, { "\"a\" x", "b" } },
        { "UnclosedQuoteEndsAtLineEnd", "\"a@x\r\nb@y\r\nc@z", { "a@x", "b@y", "c@z" }, { "\"a@x", "b@y", "c@z" } },
        { "UnclosedQuoteAtFileEnd", "\" a", { " a" }, { "\" a" } },
        { "QuoteInsideUnquotedIsOrdinary", "a\"b,c\r\n", { "a\"b", "c" }, { "a\"b,c" } },
        { "EmptyQuotes", "\"\"\r\n", { "" }, { "\"\"" } },
        { "NulAndHighBytesPassThrough", std::string("a\0\xff\xc3\xa9\r\n", 7), { std::string("a\0\xff\xc3\xa9", 5) },
            { std::string("a\0\xff\xc3\xa9", 5) } },
        { "ByteOrderMarkSkipped", "\xEF\xBB\xBF" "a@x\r\n", { "a@x" }, { "a@x" } },
        { "ByteOrderMarkOnlyAtStart", "a\r\n\xEF\xBB\xBF" "b", { "a", "\xEF\xBB\xBF" "b" }, { "a", "\xEF\xBB\xBF" "b" } },
        { "PartialByteOrderMarkKept", "\xEF\xBB", { "\xEF\xBB" }, { "\xEF\xBB" } },
    };
    return all;
}

class Reading : public ::testing::TestWithParam<std::tuple<std::size_t, std::size_t>>
{
};

TEST_P(Reading, ItemsAndLinesMatchAtEveryBufferSize)
{
    const auto& readCase = cases()[std::get<1>(GetParam())];
    const std::size_t bufferSize = std::get<0>(GetParam());
    TempDir dir;
    const std::string path = dir.write("list.txt", readCase.bytes);

    InputFile itemFile(path);
    ItemReader items(itemFile, bufferSize);
    std::vector<std::string> gotItems;
    std::string_view item;
    while (items.next(item))
        gotItems.emplace_back(item);
    EXPECT_EQ(gotItems, readCase.items) << readCase.name;
    EXPECT_EQ(items.position(), static_cast<std::int64_t>(readCase.bytes.size()) + 1) << readCase.name;

    InputFile lineFile(path);
    LineReader lines(lineFile, bufferSize);
    std::vector<std::string> gotLines;
    std::string_view line;
    while (lines.next(line))
        gotLines.emplace_back(line);
    EXPECT_EQ(gotLines, readCase.lines) << readCase.name;
}

INSTANTIATE_TEST_SUITE_P(BufferSizes, Reading,
    ::testing::Combine(::testing::Values(1, 2, 3, 5, kReadBufferSize), ::testing::Range<std::size_t>(0, cases().size())),
    [](const auto& info) {
        return std::string(cases()[std::get<1>(info.param)].name) + "_buffer" + std::to_string(std::get<0>(info.param));
    });

TEST(ItemReader, PositionIsOneBasedOffsetAfterEachItem)
{
    TempDir dir;
    const std::string path = dir.write("list.txt", "ab,c\r\nd");
    InputFile file(path);
    ItemReader reader(file, 2);
    std::string_view item;
    std::vector<std::int64_t> positions;
    while (reader.next(item))
        positions.push_back(reader.position());
    EXPECT_EQ(positions, (std::vector<std::int64_t> { 4, 7, 8 }));
}

TEST(ItemReader, LongItemGrowsBufferInsteadOfSplitting)
{
    TempDir dir;
    const std::string longItem(100000, 'x');
    const std::string path = dir.write("list.txt", longItem + "\r\nb");
    InputFile file(path);
    ItemReader reader(file, 16);
    std::string_view item;
    ASSERT_TRUE(reader.next(item));
    EXPECT_EQ(item, longItem);
    ASSERT_TRUE(reader.next(item));
    EXPECT_EQ(item, "b");
}

TEST(WholeFileReading, KeepsEveryByteIncludingByteOrderMark)
{
    TempDir dir;
    const std::string bytes = std::string("\xEF\xBB\xBF" "a\r\n\0b\r", 8);
    EXPECT_EQ(readWholeFile(dir.write("f", bytes)), bytes);
}

TEST(InputFile, MissingFileAndDirectoryFailWithThePath)
{
    TempDir dir;
    for (const std::string& path : { dir.file("missing.txt"), dir.path() }) {
        try {
            InputFile file(path);
            ADD_FAILURE() << "opened " << path;
        } catch (const IoError& failure) {
            EXPECT_EQ(failure.error().path, path);
            EXPECT_NE(failure.error().message().find(path + ": "), std::string::npos);
        }
    }
}

} // namespace

#include "core/scan_comma.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

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

const std::size_t kBufferSizes[] = { 1, 2, 3, kReadBufferSize };

TEST(CommaScan, TokensTrimmedOfSpaces)
{
    struct Row
    {
        const char* name;
        std::string input;
        std::string expected;
        std::int64_t count;
    } table[] = {
        { "each followed by comma and blank", "a@x, b@y, c@z, \r\n", "a@x\r\nb@y\r\nc@z\r\n", 3 },
        { "rest after the last comma", "a@x, b@y\r\n", "a@x\r\nb@y\r\n", 2 },
        { "a line without a comma is one token", "  a@x  \r\nb@y", "a@x\r\nb@y\r\n", 2 },
        { "two commas in a row", "a,,b\r\n", "a\r\n\r\nb\r\n", 3 },
        { "leading comma", ",a\r\n", "\r\na\r\n", 2 },
        { "blank pieces before a comma are empty lines", "a,   ,\r\n", "a\r\n\r\n", 2 },
        { "blank rest and empty lines write nothing", "a,  \r\n\r\n   \r\n", "a\r\n", 1 },
        { "tabs and quotes stay", "\ta@x ,\"b@y\"\t\r\n", "\ta@x\r\n\"b@y\"\t\r\n", 2 },
        { "case kept", "A@X,B@Y\r\n", "A@X\r\nB@Y\r\n", 2 },
        { "lone CR and LF end lines", "a,b\rc\nd", "a\r\nb\r\nc\r\nd\r\n", 4 },
        { "empty input", "", "", 0 },
    };
    for (const std::size_t bufferSize : kBufferSizes) {
        for (const auto& row : table) {
            TempDir dir;
            CommaScanParams params { dir.write("in.txt", row.input), dir.file("out.txt"), bufferSize };
            const auto result = runCommaScan(params);
            ASSERT_FALSE(result.error) << row.name << ": " << result.error->message();
            EXPECT_EQ(readFile(params.outputPath), row.expected) << row.name << ", buffer " << bufferSize;
            EXPECT_EQ(result.count, row.count) << row.name << ", buffer " << bufferSize;
        }
    }
}

TEST(CommaScan, PercentEveryThousandTokensAtThePositionAfterTheLine)
{
    TempDir dir;
    // 250 lines of ten tokens: the 1000th token ends line 100, the 2000th line 200.
    std::string line;
    for (int i = 0; i < 10; ++i)
        line += "t" + std::to_string(i) + "@x, ";
    line += "\r\n";
    std::string input;
    for (int i = 0; i < 250; ++i)
        input += line;
    CommaScanParams params { dir.write("in.txt", input), dir.file("out.txt") };
    Recorder recorder;
    const auto result = runCommaScan(params, recorder);
    ASSERT_FALSE(result.error);
    EXPECT_EQ(result.count, 2500);
    const double length = static_cast<double>(input.size());
    ASSERT_EQ(recorder.percents.size(), 2u);
    EXPECT_DOUBLE_EQ(recorder.percents[0], (100 * line.size() + 1) / length * 100);
    EXPECT_DOUBLE_EQ(recorder.percents[1], (200 * line.size() + 1) / length * 100);

    // Fewer than 1000 tokens never move the bar; the rest of a line counts towards the thousand.
    std::string few;
    for (int i = 0; i < 999; ++i)
        few += "a\r\n";
    params.inputPath = dir.write("few.txt", few);
    recorder.percents.clear();
    EXPECT_EQ(runCommaScan(params, recorder).count, 999);
    EXPECT_TRUE(recorder.percents.empty());
    params.inputPath = dir.write("rest.txt", std::string(999, ',') + "last");
    recorder.percents.clear();
    EXPECT_EQ(runCommaScan(params, recorder).count, 1000);
    ASSERT_EQ(recorder.percents.size(), 1u);
    EXPECT_DOUBLE_EQ(recorder.percents[0], 1004.0 / 1003.0 * 100);
}

} // namespace

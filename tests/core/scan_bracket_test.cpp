#include "core/scan_bracket.h"
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

TEST(BracketScan, PiecesWithTheirBrackets)
{
    struct Row
    {
        const char* name;
        std::string input;
        std::string expected;
        std::int64_t count;
    } table[] = {
        { "three on one line", "<a@x>, <b@y> and <c@z>\r\n", "<a@x>\r\n<b@y>\r\n<c@z>\r\n", 3 },
        { "display name dropped", "From: \"Smith, J\" <j@x.org>\r\n", "<j@x.org>\r\n", 1 },
        { "no opening bracket", "a > b\r\nplain\r\n", "", 0 },
        { "closing bracket first", "> quoted <q@x> reply\r\n", "<q@x>\r\n", 1 },
        { "unclosed bracket written, not counted", "<a@x> then <b@y and more\r\nnext <d>\r\n",
            "<a@x>\r\n<b@y and more\r\n<d>\r\n", 2 },
        { "an inner opening bracket belongs to the piece", "<b@y <c@z>\r\n", "<b@y <c@z>\r\n", 1 },
        { "unclosed at the end of the line", "x <open\r\n<y>", "<open\r\n<y>\r\n", 1 },
        { "empty brackets", "<>\r\n", "<>\r\n", 1 },
        { "nested pairs", "<<inner>>\r\n", "<<inner>\r\n", 1 },
        { "pieces are not trimmed, case kept", "< A@X >\r\n", "< A@X >\r\n", 1 },
        { "commas and quotes are ordinary", "<\"a,b\">\r\n", "<\"a,b\">\r\n", 1 },
        { "lone CR and LF end lines", "<a\r<b>\n<c", "<a\r\n<b>\r\n<c\r\n", 1 },
        { "empty input", "", "", 0 },
    };
    for (const std::size_t bufferSize : kBufferSizes) {
        for (const auto& row : table) {
            TempDir dir;
            BracketScanParams params { dir.write("in.txt", row.input), dir.file("out.txt"), bufferSize };
            const auto result = runBracketScan(params);
            ASSERT_FALSE(result.error) << row.name << ": " << result.error->message();
            EXPECT_EQ(readFile(params.outputPath), row.expected) << row.name << ", buffer " << bufferSize;
            EXPECT_EQ(result.count, row.count) << row.name << ", buffer " << bufferSize;
        }
    }
}

TEST(BracketScan, PercentOncePerLineEachFiveHundredBytesCatchingUp)
{
    TempDir dir;
    // A first line of 1298 + 2 bytes jumps over two marks; the following short lines catch up one by one.
    const std::string longLine = std::string(1298, 'x');
    const std::string input = longLine + "\r\na\r\nb\r\nc\r\nd\r\n";
    BracketScanParams params { dir.write("in.txt", input), dir.file("out.txt") };
    Recorder recorder;
    ASSERT_FALSE(runBracketScan(params, recorder).error);
    const double length = static_cast<double>(input.size());
    // Positions after the lines: 1301, 1304, 1307, 1310, 1313. Marks: 0, 500, 1000, 1500.
    const std::vector<double> expected { 1301 / length * 100, 1304 / length * 100, 1307 / length * 100 };
    ASSERT_EQ(recorder.percents.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_DOUBLE_EQ(recorder.percents[i], expected[i]) << i;
}

} // namespace

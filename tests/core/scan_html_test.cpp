#include "core/scan_html.h"
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

TEST(HtmlScan, MailtoAddressesInLowerCase)
{
    struct Row
    {
        const char* name;
        std::string input;
        std::string expected;
        std::int64_t count;
    } table[] = {
        { "double-quoted href", "<a href=\"mailto:Alice@Example.COM\">Alice</a>\r\n", "alice@example.com\r\n", 1 },
        { "single-quoted href keeps the apostrophe", "<a href='MAILTO:bob@x.org'>Bob</a>\r\n", "bob@x.org'\r\n", 1 },
        { "subject stays, lower-cased", "<a href=\"mailto:c@x.org?Subject=Hello There\">c</a>\r\n",
            "c@x.org?subject=hello there\r\n", 1 },
        { "two links on one line in order", "<a href=\"mailto:a@x\">A</a> <a href=\"Mailto:b@y\">B</a>\r\n",
            "a@x\r\nb@y\r\n", 2 },
        { "mailto at the end of a line", "write to mailto:\r\n", "\r\n", 1 },
        { "a comma cuts the link", "<a href=\"mailto:a@x,b@y\">both</a>\r\n", "a@x\r\n", 1 },
        { "no closing bracket or quote: the rest of the item", "mailto:  A@X  and more\r\n", "a@x  and more\r\n", 1 },
        { "no closing bracket, second mailto in the rest", "mailto:a@x mailto:B@Y\r\n", "a@x mailto:b@y\r\nb@y\r\n",
            2 },
        { "blanks inside stay, ends trimmed", "<a href=\"mailto: a@x \">\r\n", "a@x\r\n", 1 },
        { "only ASCII letters change case", "mailto:J\xC3\x96RG@X>\r\n", "j\xC3\x96rg@x\r\n", 1 },
        { "quoted item loses its quotes first", "\"mailto:a@x\"\r\n", "a@x\r\n", 1 },
        { "no link", "<p>contact us</p>\r\nmail to: a@x\r\n", "", 0 },
        { "empty input", "", "", 0 },
    };
    for (const std::size_t bufferSize : kBufferSizes) {
        for (const auto& row : table) {
            TempDir dir;
            HtmlScanParams params { dir.write("page.html", row.input), dir.file("out.txt"), bufferSize };
            const auto result = runHtmlScan(params);
            ASSERT_FALSE(result.error) << row.name << ": " << result.error->message();
            EXPECT_EQ(readFile(params.outputPath), row.expected) << row.name << ", buffer " << bufferSize;
            EXPECT_EQ(result.count, row.count) << row.name << ", buffer " << bufferSize;
        }
    }
}

TEST(HtmlScan, PercentAfterEveryItem)
{
    TempDir dir;
    const std::string input = "<p>a, b</p>\r\n"; // 13 bytes, two items
    HtmlScanParams params { dir.write("page.html", input), dir.file("out.txt") };
    Recorder recorder;
    ASSERT_FALSE(runHtmlScan(params, recorder).error);
    ASSERT_EQ(recorder.percents.size(), 2u);
    EXPECT_DOUBLE_EQ(recorder.percents[0], 6.0 / 13 * 100);
    EXPECT_DOUBLE_EQ(recorder.percents[1], 14.0 / 13 * 100);
}

} // namespace

#include "core/scan_mail.h"
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
    std::vector<int> phases;
    void percent(double value) override { percents.push_back(value); }
    void phase(int value) override { phases.push_back(value); }
};

const std::size_t kBufferSizes[] = { 1, 2, 3, kReadBufferSize };

TEST(MailScan, HeaderValuesAsTheyStand)
{
    struct Row
    {
        const char* name;
        std::string input;
        bool takeFrom, takeReplyTo;
        std::string expected;
        std::int64_t count;
    } table[] = {
        { "display name and bracketed address kept, blank included", "From: Alice Smith <alice@x.org>\r\n", true, true,
            " Alice Smith <alice@x.org>\r\n", 1 },
        { "lower-case name, value keeps its case", "from:Bob@X.Org\r\n", true, true, "Bob@X.Org\r\n", 1 },
        { "two lines", "From: a@x\r\nSubject: hi\r\nFROM: b@y\r\n", true, true, " a@x\r\n b@y\r\n", 2 },
        { "Reply-To ticked", "From: a@x\r\nReply-To: r@x\r\n", true, true, " a@x\r\n r@x\r\n", 2 },
        { "Reply-To unticked", "From: a@x\r\nreply-to: r@x\r\n", true, false, " a@x\r\n", 1 },
        { "From unticked leaves From lines out", "From: a@x\r\nReply-To: r@x\r\n", false, true, " r@x\r\n", 1 },
        { "both unticked", "From: a@x\r\nReply-To: r@x\r\n", false, false, "", 0 },
        { "a comma cuts the value", "From: Smith, John <j@x>\r\n", true, true, " Smith\r\n", 1 },
        { "nothing after the colon", "From:\r\nFrom:   \r\n", true, true, "\r\n\r\n", 2 },
        { "not at the start of the line", "X-From: a@x\r\nsee From: b@y\r\n>From: c@z\r\n", true, true, "", 0 },
        { "mailbox separator line", "From alice@x.org Mon Jan  1 00:00:00 2001\r\n", true, true, "", 0 },
        { "short items", "From\r\nFro:\r\nReply-To\r\n", true, true, "", 0 },
        { "indented line taken", "   \tFrom: a@x\r\n", true, true, " a@x\r\n", 1 },
        { "quoted item", "\"From: a, b\"\r\n", true, true, " a, b\r\n", 1 },
        { "later colons stay in the value", "Reply-To: x:y@z\r\n", true, true, " x:y@z\r\n", 1 },
        { "last line without line end", "From: a@x\r\nFrom: b@y", true, true, " a@x\r\n b@y\r\n", 2 },
        { "lone CR and LF line ends", "From: a\rFrom: b\nFrom: c", true, true, " a\r\n b\r\n c\r\n", 3 },
        { "bytes above 0x7F pass unchanged", "From: J\xF6rg <j@x>\r\n", true, true, " J\xF6rg <j@x>\r\n", 1 },
        { "empty input", "", true, true, "", 0 },
    };
    for (const std::size_t bufferSize : kBufferSizes) {
        for (const auto& row : table) {
            TempDir dir;
            MailScanParams params { dir.write("mail.mbx", row.input), dir.file("out.txt"), row.takeFrom,
                row.takeReplyTo, bufferSize };
            const auto result = runMailScan(params);
            ASSERT_FALSE(result.error) << row.name << ": " << result.error->message();
            EXPECT_EQ(readFile(params.outputPath), row.expected) << row.name << ", buffer " << bufferSize;
            EXPECT_EQ(result.count, row.count) << row.name << ", buffer " << bufferSize;
        }
    }
}

TEST(MailScan, PercentAfterEveryItemMayPassOneHundred)
{
    TempDir dir;
    const std::string input = "From: a\r\nb, c\r\n"; // 15 bytes, three items
    MailScanParams params { dir.write("mail.mbx", input), dir.file("out.txt") };
    Recorder recorder;
    ASSERT_FALSE(runMailScan(params, recorder).error);
    EXPECT_EQ(recorder.phases, std::vector<int> { 1 });
    const std::vector<double> expected { 10.0 / 15 * 100, 12.0 / 15 * 100, 16.0 / 15 * 100 };
    ASSERT_EQ(recorder.percents.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_DOUBLE_EQ(recorder.percents[i], expected[i]) << i;
}

TEST(MailScan, NoOpenPhaseWhenAFileCannotBeOpened)
{
    TempDir dir;
    Recorder recorder;
    MailScanParams params { dir.file("missing.mbx"), dir.file("out.txt") };
    EXPECT_TRUE(runMailScan(params, recorder).error);
    params = { dir.write("mail.mbx", "From: a\r\n"), dir.file("no/out.txt") };
    EXPECT_TRUE(runMailScan(params, recorder).error);
    EXPECT_TRUE(recorder.phases.empty());
    EXPECT_TRUE(recorder.percents.empty());
}

} // namespace

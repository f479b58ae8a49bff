#include "core/scan_count.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <vector>

using namespace quillmark::core;
using quillmark::test::TempDir;

namespace {

struct Recorder : ProgressSink
{
    std::vector<std::int64_t> counts;
    std::vector<double> percents;
    void count(std::int64_t value) override { counts.push_back(value); }
    void percent(double value) override { percents.push_back(value); }
};

TEST(AddressCount, EveryItemCounts)
{
    struct Row
    {
        const char* name;
        std::string input;
        std::int64_t count;
    } table[] = {
        { "one per line", "a@x\r\nb@y\r\nc@z\r\n", 3 },
        { "three on one line", "a@x, b@y,c@z", 3 },
        { "empty line counts", "a@x\r\n\r\nb@y\r\n", 3 },
        { "two commas give three", "a,,b\r\n", 3 },
        { "quoted item with a comma is one", "\"a,b\"\r\n", 1 },
        { "empty file", "", 0 },
    };
    for (const std::size_t bufferSize : { std::size_t(1), std::size_t(3), kReadBufferSize }) {
        for (const auto& row : table) {
            TempDir dir;
            const auto result = runAddressCount({ dir.write("list.txt", row.input), bufferSize });
            ASSERT_FALSE(result.error) << row.name;
            EXPECT_EQ(result.count, row.count) << row.name << ", buffer " << bufferSize;
        }
    }
}

TEST(AddressCount, RunningCountEveryThousandNoPercent)
{
    TempDir dir;
    std::string list;
    for (int i = 0; i < 2500; ++i)
        list += "a@x\r\n";
    Recorder recorder;
    const auto result = runAddressCount({ dir.write("list.txt", list) }, recorder);
    EXPECT_EQ(result.count, 2500);
    EXPECT_EQ(recorder.counts, (std::vector<std::int64_t> { 1000, 2000 }));
    EXPECT_TRUE(recorder.percents.empty());
}

} // namespace

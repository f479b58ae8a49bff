#include "core/sorter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>
#include <sys/stat.h>
#include <vector>

using namespace quillmark::core;
using quillmark::test::readFile;
using quillmark::test::TempDir;

namespace {

struct Expected
{
    std::string output;
    std::string duplicates;
};

// The rules written out the plain way: split at CR LF, lone CR and lone LF, skip a leading byte-order mark,
// drop blank lines, order by (key bytes, whole line) with std::string's unsigned byte order, first copy to the
// output and every further copy to the duplicates.
Expected reference(std::string bytes, SortKey key)
{
    if (bytes.rfind("\xEF\xBB\xBF", 0) == 0)
        bytes.erase(0, 3);
    std::vector<std::string> lines;
    std::string current;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(current);
            current.clear();
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
        } else {
            current += c;
        }
    }
    if (!current.empty())
        lines.push_back(current);
    std::erase(lines, std::string());
    auto keyOf = [&](const std::string& line) {
        const std::size_t from = std::min(key.start - 1, line.size());
        return line.substr(from, key.length);
    };
    std::stable_sort(lines.begin(), lines.end(), [&](const std::string& a, const std::string& b) {
        const std::string ka = keyOf(a), kb = keyOf(b);
        return ka != kb ? ka < kb : a < b;
    });
    Expected expected;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string& target = (i > 0 && lines[i] == lines[i - 1]) ? expected.duplicates : expected.output;
        target += lines[i] + "\r\n";
    }
    return expected;
}

struct Outcome
{
    SorterResult result;
    std::string output;
    std::string duplicates;
};

Outcome sortBytes(const TempDir& dir, const std::string& bytes, SortKey key, std::size_t budget, unsigned threads)
{
    SorterParams params;
    params.inputPath = dir.write("merglist.tmp", bytes);
    params.outputPath = dir.file("sorted.txt");
    params.duplicatesPath = dir.file("duplist.tmp");
    params.key = key;
    params.memoryBudget = budget;
    params.threads = threads;
    Outcome outcome { runSorter(params), "", "" };
    if (!outcome.result.error) {
        outcome.output = readFile(params.outputPath);
        outcome.duplicates = readFile(params.duplicatesPath);
    }
    return outcome;
}

std::size_t filesIn(const std::string& dir)
{
    return static_cast<std::size_t>(
        std::distance(std::filesystem::directory_iterator(dir), std::filesystem::directory_iterator()));
}

// In memory, spilled with a tiny budget (many runs, several merge passes), and a middle budget.
const std::size_t kBudgets[] = { 0, 300, 1 << 15 };

struct SortCase
{
    const char* name;
    std::string input;
    SortKey key;
    std::string output;
    std::string duplicates;
};

TEST(Sorter, RulesHoldInMemoryAndSpilled)
{
    const SortCase table[] = {
        { "empty input gives two empty files", "", {}, "", "" },
        { "unsigned byte order, no locale", "b\r\nB\r\n\xE9t\xE9\r\na\r\n", {}, "B\r\na\r\nb\r\n\xE9t\xE9\r\n", "" },
        { "shorter beginning comes first", "abc\r\nab\r\nabd\r\n", {}, "ab\r\nabc\r\nabd\r\n", "" },
        { "every extra copy to the duplicates", "x\r\ny\r\nx\r\nx\r\n", {}, "x\r\ny\r\n", "x\r\nx\r\n" },
        { "line end mixes and last line without end", "c\rb\na\r\nc", {}, "a\r\nb\r\nc\r\n", "c\r\n" },
        { "blank lines dropped, not duplicates", "\r\n\r\na\r\n\n\r\r\na", {}, "a\r\n", "a\r\n" },
        { "byte-order mark at the start skipped", "\xEF\xBB\xBFz\r\nz\r\n", {}, "z\r\n", "z\r\n" },
        { "byte-order mark later is a byte", "a\r\n\xEF\xBB\xBFz\r\n", {}, "a\r\n\xEF\xBB\xBFz\r\n", "" },
        { "NUL bytes are ordinary and trailing NULs count", std::string("a\0\r\na\r\na\0\0\r\na\0\r\n", 16), {},
            std::string("a\r\na\0\r\na\0\0\r\n", 12), std::string("a\0\r\n", 4) },
        { "long common beginnings past eight bytes",
            "commonprefix-9\r\ncommonprefix-10\r\ncommonprefix-1\r\ncommonprefix\r\ncommonprefix-10\r\n", {},
            "commonprefix\r\ncommonprefix-1\r\ncommonprefix-10\r\ncommonprefix-9\r\n", "commonprefix-10\r\n" },
        { "same first thirty bytes, different later: both kept",
            std::string(30, 'k') + "b\r\n" + std::string(30, 'k') + "a\r\n", { 1, 30 },
            std::string(30, 'k') + "a\r\n" + std::string(30, 'k') + "b\r\n", "" },
        { "key columns order, ties by whole line", "zb2\r\nab2\r\nya1\r\nxb1\r\n", { 2, 2 },
            "ya1\r\nxb1\r\nab2\r\nzb2\r\n", "" },
        { "key past the end of a line is empty", "b\r\na\r\nxxa\r\n", { 3, 1 }, "a\r\nb\r\nxxa\r\n", "" },
        { "equal keys are not duplicates", "1@same\r\n2@same\r\n1@same\r\n", { 3, 4 }, "1@same\r\n2@same\r\n",
            "1@same\r\n" },
    };
    for (const auto& row : table) {
        for (const std::size_t budget : kBudgets) {
            TempDir dir;
            const Outcome outcome = sortBytes(dir, row.input, row.key, budget, 2);
            ASSERT_FALSE(outcome.result.error) << row.name << ": " << outcome.result.error->message();
            EXPECT_EQ(outcome.output, row.output) << row.name << ", budget " << budget;
            EXPECT_EQ(outcome.duplicates, row.duplicates) << row.name << ", budget " << budget;
            EXPECT_EQ(filesIn(dir.path()), 3u) << row.name << ": run files left behind";
        }
    }
}

std::string randomLines(std::mt19937& random, std::size_t count, bool addressLike)
{
    // A tiny alphabet with NUL, CR-free 8-bit bytes and shared beginnings, so that equal keys, trailing NULs and
    // long common prefixes come up often.
    static const std::string alphabet("ab\0\xff.@", 6);
    static const char* const ends[] = { "\r\n", "\r", "\n", "\r\n\r\n" };
    std::vector<std::string> pool;
    std::string bytes;
    for (std::size_t i = 0; i < count; ++i) {
        std::string line;
        if (!pool.empty() && random() % 8 == 0) {
            line = pool[random() % pool.size()]; // a duplicate
        } else if (addressLike) {
            const std::size_t length = 3 + random() % 12;
            for (std::size_t j = 0; j < length; ++j)
                line += static_cast<char>('a' + random() % 26);
            line += "@example" + std::to_string(random() % 50) + ".com";
        } else {
            if (!pool.empty() && random() % 3 == 0)
                line = pool[random() % pool.size()].substr(0, random() % 20);
            const std::size_t length = random() % 24;
            for (std::size_t j = 0; j < length; ++j)
                line += alphabet[random() % alphabet.size()];
        }
        pool.push_back(line);
        bytes += line;
        bytes += ends[random() % 4];
    }
    if (random() % 2)
        bytes += "tail-without-end";
    return bytes;
}

TEST(Sorter, AgreesWithPlainReferenceOnRandomInput)
{
    std::mt19937 random(20261211);
    const SortKey keys[] = { { 1, 30 }, { 1, 2 }, { 2, 3 }, { 5, 100 } };
    for (int round = 0; round < 4; ++round) {
        const std::string bytes = randomLines(random, 3000 + round * 1000, round % 2 == 1);
        for (const SortKey& key : keys) {
            const Expected expected = reference(bytes, key);
            for (const std::size_t budget : { std::size_t(0), std::size_t(4000) }) {
                for (const unsigned threads : { 1u, 2u }) {
                    TempDir dir;
                    const Outcome outcome = sortBytes(dir, bytes, key, budget, threads);
                    ASSERT_FALSE(outcome.result.error) << outcome.result.error->message();
                    ASSERT_EQ(outcome.output, expected.output)
                        << "round " << round << " key " << key.start << "," << key.length << " budget " << budget;
                    ASSERT_EQ(outcome.duplicates, expected.duplicates) << "round " << round;
                    EXPECT_EQ(outcome.result.runs > 0, budget != 0);
                }
            }
        }
    }
}

TEST(Sorter, LargeInputSharedByBothWorkersAgreesWithReference)
{
    // Large enough that both workers split the line scan and the buckets.
    std::mt19937 random(7);
    const std::string bytes = randomLines(random, 150000, true);
    const Expected expected = reference(bytes, {});
    for (const std::size_t budget : { std::size_t(0), std::size_t(1) << 20 }) {
        TempDir dir;
        const Outcome outcome = sortBytes(dir, bytes, {}, budget, 2);
        ASSERT_FALSE(outcome.result.error) << outcome.result.error->message();
        EXPECT_EQ(outcome.output, expected.output) << "budget " << budget;
        EXPECT_EQ(outcome.duplicates, expected.duplicates) << "budget " << budget;
        EXPECT_EQ(outcome.result.written + outcome.result.duplicates,
            std::count(expected.output.begin(), expected.output.end(), '\n')
                + std::count(expected.duplicates.begin(), expected.duplicates.end(), '\n'));
    }
}

TEST(Sorter, LineLongerThanTheBudgetStillSorts)
{
    TempDir dir;
    const std::string longLine(5000, 'q');
    const Outcome outcome = sortBytes(dir, "b\r\n" + longLine + "\r\na\r\n" + longLine, {}, 300, 1);
    ASSERT_FALSE(outcome.result.error) << outcome.result.error->message();
    EXPECT_EQ(outcome.output, "a\r\nb\r\n" + longLine + "\r\n");
    EXPECT_EQ(outcome.duplicates, longLine + "\r\n");
}

TEST(Sorter, FailuresAreReportedWithThePath)
{
    TempDir dir;
    const std::string input = dir.write("merglist.tmp", "b\r\na\r\n");
    std::filesystem::create_directory(dir.file("folder"));
    struct FailCase
    {
        const char* name;
        std::string inputPath, outputPath, duplicatesPath;
        std::string failingPath;
    };
    const FailCase table[] = {
        { "missing input", dir.file("none.tmp"), dir.file("out.txt"), dir.file("dup.tmp"), dir.file("none.tmp") },
        { "output is a directory", input, dir.file("folder"), dir.file("dup.tmp"), dir.file("folder") },
        { "output name empty", input, "", dir.file("dup.tmp"), "" },
        { "output folder missing", input, dir.file("no/out.txt"), dir.file("dup.tmp"), dir.file("no/out.txt") },
        { "duplicates file is the output", input, dir.file("out.txt"), dir.file("./out.txt"), dir.file("./out.txt") },
    };
    for (const auto& row : table) {
        for (const std::size_t budget : { std::size_t(0), std::size_t(64) }) {
            SorterParams params { row.inputPath, row.outputPath, row.duplicatesPath, {}, budget, 0 };
            const SorterResult result = runSorter(params);
            ASSERT_TRUE(result.error) << row.name;
            EXPECT_EQ(result.error->path, row.failingPath) << row.name;
        }
    }
    EXPECT_EQ(readFile(input), "b\r\na\r\n");
    EXPECT_EQ(filesIn(dir.path()), 2u) << "run files left behind";
}

TEST(Sorter, OutputMaySortItsOwnInputInPlace)
{
    // The output is opened only after the whole input has been read, so sorting a file onto itself is safe.
    for (const std::size_t budget : { std::size_t(0), std::size_t(64) }) {
        TempDir dir;
        const std::string path = dir.write("list.txt", "c\r\na\r\nb\r\na\r\n");
        SorterParams params { path, path, dir.file("duplist.tmp"), {}, budget, 0 };
        ASSERT_FALSE(runSorter(params).error);
        EXPECT_EQ(readFile(path), "a\r\nb\r\nc\r\n");
    }
}

TEST(Sorter, ReplacesLongerExistingOutputs)
{
    TempDir dir;
    dir.write("sorted.txt", std::string(1000, 'z'));
    dir.write("duplist.tmp", std::string(1000, 'z'));
    const Outcome outcome = sortBytes(dir, "b\r\na\r\n", {}, 0, 0);
    EXPECT_EQ(outcome.output, "a\r\nb\r\n");
    EXPECT_EQ(outcome.duplicates, "");
}

} // namespace

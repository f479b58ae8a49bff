#include "core/remove.h"
#include "core/substring_index.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

using namespace quillmark::core;

namespace {

// The fast search must answer exactly as the plain search does; any difference loses or keeps an address wrongly.
void expectSameAnswers(const std::string& text, const std::vector<std::string>& items)
{
    const SubstringIndex index(text);
    for (const auto& item : items)
        ASSERT_EQ(index.contains(item), occursIn(text, item)) << "item \"" << item << "\" in text of " << text.size();
}

TEST(SubstringIndex, EdgesOfTheText)
{
    const std::string text = std::string("alice@example.com\r\nbob@mail.org\r\n\0\xff", 35);
    expectSameAnswers(text,
        { "", "a", "z", "\r", "\r\n", std::string(1, '\0'), "\xff", std::string("\0\xff", 2),
            std::string("\n\0\xff", 3), std::string("\n\0\xff!", 4), "alice@example.com", "alice@example.comX",
            "example.com\r\nbob", "bob@mail.org\r\n", "mail.org", "mail.orgg", "org\r\n\r", "lice@exa", "lice@exb",
            text, text + "x", "x" + text });
    expectSameAnswers("", { "", "a" });
    expectSameAnswers("q", { "", "q", "qq", "r" });
    expectSameAnswers("qr", { "q", "r", "qr", "rq", "qrs" });
}

TEST(SubstringIndex, AgreesWithThePlainSearchOnAMillionRandomItems)
{
    std::mt19937_64 random(20261211);
    // A small alphabet makes hits and near misses common; line ends and high bytes take part like any byte.
    const std::string alphabet = "ab@.c\r\n\xe9";
    auto randomText = [&](std::size_t length) {
        std::string text(length, ' ');
        for (auto& c : text)
            c = alphabet[random() % alphabet.size()];
        return text;
    };
    std::size_t checked = 0;
    for (const std::size_t textLength : { 3u, 17u, 300u, 5000u, 60000u }) {
        const std::string text = randomText(textLength);
        const SubstringIndex index(text);
        for (int i = 0; i < 200000; ++i) {
            std::string item;
            if (random() % 2) {
                // A piece of the text, perhaps changed in one byte.
                const std::size_t start = random() % text.size();
                const std::size_t length = 1 + random() % 24;
                item = text.substr(start, length);
                if (random() % 3 == 0)
                    item[random() % item.size()] = alphabet[random() % alphabet.size()];
            } else {
                item = randomText(1 + random() % 24);
            }
            ASSERT_EQ(index.contains(item), occursIn(text, item)) << "item of " << item.size() << " bytes";
            ++checked;
        }
    }
    EXPECT_EQ(checked, 1000000u);
}

} // namespace

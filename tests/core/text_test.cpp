#include "core/text.h"

#include <gtest/gtest.h>

using namespace quillmark::core;

TEST(CountText, LeadingBlankOnlyForNonNegative)
{
    EXPECT_EQ(countText(0), " 0");
    EXPECT_EQ(countText(12), " 12");
    EXPECT_EQ(countText(-3), "-3");
    EXPECT_EQ(countText(5000000000LL), " 5000000000");
}

TEST(ElapsedText, MinutesAndSecondsWithHoursDropped)
{
    EXPECT_EQ(elapsedText(0), "00:00");
    EXPECT_EQ(elapsedText(59), "00:59");
    EXPECT_EQ(elapsedText(61), "01:01");
    EXPECT_EQ(elapsedText(3600 + 2 * 60 + 5), "02:05");
    EXPECT_EQ(elapsedText(86400 + 3599), "59:59");
    EXPECT_EQ(elapsedText(-5), "00:00");
}

struct PlacementCase
{
    int screenWidth, screenHeight, width, height, left, top;
};

TEST(CenterPosition, RoundsHalvesToEvenThenTruncatesTowardZero)
{
    const PlacementCase table[] = {
        { 15360, 11520, 6030, 680, 4665, 5149 }, // 10840 * 0.95 = 10298
        { 1000, 1010, 1000, 1000, 0, 5 },        // 9.5 goes up to the even 10
        { 1000, 1030, 1001, 1000, 0, 14 },       // 28.5 goes down to the even 28; -1 / 2 is 0
        { 1000, 1000, 1003, 1010, -1, -5 },      // larger than the screen: -3 / 2 is -1; -9.5 goes to -10
        { 800, 600, 1200, 900, -200, -142 },     // -285 / 2 truncates toward zero
    };
    for (const auto& row : table) {
        const auto placement = centerPosition(row.screenWidth, row.screenHeight, row.width, row.height);
        EXPECT_EQ(placement.left, row.left) << row.screenWidth << "x" << row.screenHeight;
        EXPECT_EQ(placement.top, row.top) << row.screenWidth << "x" << row.screenHeight;
    }
}

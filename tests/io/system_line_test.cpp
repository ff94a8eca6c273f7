#include "io/system_line.h"

#include <gtest/gtest.h>

namespace kombinator {
namespace {

Combination Make(std::initializer_list<std::pair<int, int>> scores) {
    Combination c;
    int p = 0;
    for (auto [h, a] : scores) c.scores[p++] = MatchScore{static_cast<std::uint8_t>(h), static_cast<std::uint8_t>(a)};
    return c;
}

TEST(SystemLine, FormatsEachPositionAsDigitHyphenDigitAndTwoBlanks) {
    const Combination c = Make({{1, 0}, {2, 2}, {0, 3}, {1, 1}, {3, 0}, {0, 0}});
    EXPECT_EQ(FormatSystemLine(c), "1-0  2-2  0-3  1-1  3-0  0-0  ");
    EXPECT_EQ(FormatSystemLine(Combination{}).size(), 30u);
}

TEST(SystemLine, ReadingGivesBackEveryCombination) {
    // Every score at every position, in both halves of the canonical order.
    for (std::uint32_t n = 0; n < static_cast<std::uint32_t>(CombinationCount); n += 4099) {
        const Combination c = CombinationFromCanonical(n);
        const SystemLineDigits d = ReadSystemLineDigits(FormatSystemLine(c));
        ASSERT_TRUE(d.ok);
        for (int p = 0; p < PositionCount; ++p) {
            EXPECT_EQ(d.digits[2 * p], c.scores[p].home);
            EXPECT_EQ(d.digits[2 * p + 1], c.scores[p].away);
        }
        EXPECT_EQ(HitCount(d.digits, c), 6);
    }
}

TEST(SystemLine, ReadsOnlyTheTwelveDigitPlaces) {
    // Anything between the digit places is ignored, digits 4..9 are read, and a line may end at place 28.
    const SystemLineDigits d = ReadSystemLineDigits("9x8yy7:6ab5?4..3-2**1-0~~9+8");
    ASSERT_TRUE(d.ok);
    const std::array<std::uint8_t, 12> expected = {9, 8, 7, 6, 5, 4, 3, 2, 1, 0, 9, 8};
    EXPECT_EQ(d.digits, expected);
}

TEST(SystemLine, PlaceWithoutADigitGivesTheConversionMessage) {
    struct Case {
        std::string line;
        std::string error;
    } cases[] = {
        {"", "'' is not a valid integer value"},
        {"1", "'' is not a valid integer value"},
        {"1-0  2-2  0-3  1-1  3-0  0-", "'' is not a valid integer value"},  // 27 characters
        {" -0  2-2  0-3  1-1  3-0  0-0  ", "' ' is not a valid integer value"},
        {"1-0  2-2  0-3  1-1  3-0  0--  ", "'-' is not a valid integer value"},
        {"1-0  2-+  0-3  1-1  3-0  0-0  ", "'+' is not a valid integer value"},
        {"1-0  2-2  a-b  1-1  3-0  0-0  ", "'a' is not a valid integer value"},
        {std::string("1-0  2-2  0-3  1-1  3-0  0-\xff", 28), "'\xff' is not a valid integer value"},
    };
    for (const Case& c : cases) {
        const SystemLineDigits d = ReadSystemLineDigits(c.line);
        EXPECT_FALSE(d.ok) << c.line;
        EXPECT_EQ(d.error, c.error) << c.line;
    }
    // The message of a NUL keeps the character itself.
    EXPECT_EQ(ReadSystemLineDigits(std::string("1-\0", 3)).error, std::string("'\0' is not a valid integer value", 32));
}

TEST(SystemLine, HitCountNeedsTheExactScore) {
    const Combination results = Make({{1, 0}, {2, 2}, {0, 3}, {1, 1}, {3, 0}, {0, 0}});
    struct Case {
        const char* line;
        int hits;
    } cases[] = {
        {"1-0  2-2  0-3  1-1  3-0  0-0  ", 6},
        {"1-0  2-2  0-3  1-1  3-0  1-1  ", 5},  // the right sign, a different score: no hit
        {"2-0  2-2  0-3  1-1  3-0  1-1  ", 4},
        {"2-0  9-2  0-3  1-1  3-0  1-1  ", 3},  // a digit above 3 never hits
        {"0-1  0-0  3-0  0-0  0-3  3-3  ", 0},
    };
    for (const Case& c : cases) {
        const SystemLineDigits d = ReadSystemLineDigits(c.line);
        ASSERT_TRUE(d.ok);
        EXPECT_EQ(HitCount(d.digits, results), c.hits) << c.line;
    }
}

TEST(SystemLine, CouponRowOfALine) {
    const std::pair<int, const char*> cases[] = {{1, "1.1"}, {5, "1.5"}, {6, "2.1"}, {7, "2.2"}, {30000, "6000.5"}};
    for (auto [n, text] : cases) EXPECT_EQ(CouponRowText(n), text);
}

}  // namespace
}  // namespace kombinator

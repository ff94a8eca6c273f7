#include "io/coupon_pages.h"

#include <algorithm>
#include <set>

#include <gtest/gtest.h>

#include "io/system_line.h"

namespace kombinator {
namespace {

using Lines = std::vector<std::string>;

const PrintSettings Settings{100, 50, 200, 30, 10, 40, 77};

// Line n of a test system: every score differs from line to line, the digits are 0..3.
Lines SystemOf(int n) {
    Lines lines;
    for (int i = 0; i < n; ++i) lines.push_back(FormatSystemLine(CombinationFromCanonical(static_cast<std::uint32_t>(i) * 1234567u)));
    return lines;
}

int Count(const CouponPage& page, const std::string& text) {
    return static_cast<int>(std::count_if(page.begin(), page.end(), [&](const CouponText& t) { return t.text == text; }));
}

TEST(CouponPages, MarksStandWhereTheOffsetsPutThem) {
    EXPECT_EQ(CouponCell(Settings, 5, 2), (CouponText{200, 360, "***"}));  // one PYK above row 5
    EXPECT_EQ(CouponCell(Settings, 3, 0).y, 290);                         // no PYK before row 4
    EXPECT_EQ(CouponCell(Settings, 4, 0).y, 330);
    EXPECT_EQ(CouponZMark(Settings, 2), (CouponText{450, 980, "$$$"}));
    // Offsets read from files may be anything: the points must not overflow.
    const PrintSettings huge{2147483647, 2147483647, 2147483647, 2147483647, 2147483647, 2147483647, 0};
    EXPECT_EQ(CouponCell(huge, 23, 9).x, 10 * 2147483647LL);
    EXPECT_EQ(CouponZMark(huge, 3).y, 30 * 2147483647LL);
}

TEST(CouponPages, SevenLinesGiveTwoPagesInDrawingOrder) {
    Lines lines = SystemOf(7);
    lines[0] = "1-0  2-2  0-3  1-1  3-0  0-0  ";
    const CouponPages all = BuildCouponPages(lines, " 1", "2 ", 1, Settings);
    ASSERT_TRUE(all.ok) << all.message;
    ASSERT_EQ(all.pages.size(), 2u);
    const CouponPage& first = all.pages[0];
    EXPECT_EQ(first.front(), (CouponText{10, 77, "1"}));
    EXPECT_EQ(Count(first, "***"), 60);
    EXPECT_EQ(first.back(), CouponZMark(Settings, 1));
    EXPECT_EQ(Count(first, "$$$"), 1);
    // Row by row, and within a row column by column.
    for (std::size_t i = 2; i + 1 < first.size(); ++i)
        EXPECT_TRUE(first[i - 1].y < first[i].y || (first[i - 1].y == first[i].y && first[i - 1].x < first[i].x));
    // The first line's scores mark rows 1, 6, 8, 13, 19, 20 in column 0 and 0, 6, 11, 13, 16, 20 in column 1.
    std::set<std::pair<int, int>> cells;
    for (int r = 0; r < CouponRows; ++r)
        for (int c = 0; c < 2; ++c)
            if (std::find(first.begin(), first.end(), CouponCell(Settings, r, c)) != first.end()) cells.insert({r, c});
    const std::set<std::pair<int, int>> expected = {{1, 0},  {6, 0},  {8, 0},  {13, 0}, {19, 0}, {20, 0},
                                                    {0, 1},  {6, 1},  {11, 1}, {13, 1}, {16, 1}, {20, 1}};
    EXPECT_EQ(cells, expected);

    const CouponPage& second = all.pages[1];
    EXPECT_EQ(second.front().text, "2");
    EXPECT_EQ(Count(second, "***"), 24);
    for (const CouponText& t : second) {
        if (t.text == "***") {
            EXPECT_LT(t.x, Settings.PX1 + 4 * Settings.X1X2);  // columns 0..3 only
        }
    }

    const CouponPages last = BuildCouponPages(lines, "2", "2", 0, Settings);
    ASSERT_TRUE(last.ok);
    ASSERT_EQ(last.pages.size(), 1u);
    // The same page as before, only its Z mark follows the other choice.
    EXPECT_EQ(CouponPage(last.pages[0].begin(), last.pages[0].end() - 1), CouponPage(second.begin(), second.end() - 1));
    EXPECT_EQ(last.pages[0].back(), CouponZMark(Settings, 0));
}

TEST(CouponPages, RangeChecksInTheirOrder) {
    const Lines twelve = SystemOf(12);  // three blanks
    struct Case {
        Lines lines;
        std::string from, to, message;
    } cases[] = {
        {twelve, "", "1", "Nie ustalony zakres wydruku !"},
        {twelve, "1", "   ", "Nie ustalony zakres wydruku !"},
        {twelve, "x", "", "Nie ustalony zakres wydruku !"},
        {twelve, "1 2", "3", "'1 2' is not a valid integer value"},
        {twelve, "0", "x", "'x' is not a valid integer value"},
        {twelve, "0", "0", "Kupon zerowy nie istnieje !"},
        {twelve, "0", "2", "Kupon zerowy nie istnieje !"},
        {twelve, "-1", "1", "Kupon zerowy nie istnieje !"},
        {twelve, "3", "2", "Zakres dolny przewyższa zakres górny !"},
        {twelve, "1", "4", "Górny zakres poza dopuszczalnym limitem !"},
        {twelve, "1", "2147483647", "Górny zakres poza dopuszczalnym limitem !"},
        {{}, "1", "1", "Górny zakres poza dopuszczalnym limitem !"},
    };
    for (const Case& c : cases) {
        const CouponPages pages = BuildCouponPages(c.lines, c.from, c.to, 0, Settings);
        EXPECT_FALSE(pages.ok) << c.from << ".." << c.to;
        EXPECT_FALSE(pages.badLine);
        EXPECT_EQ(pages.message, c.message) << c.from << ".." << c.to;
        EXPECT_TRUE(pages.pages.empty());
    }
    EXPECT_TRUE(BuildCouponPages(twelve, "3", "3", 3, Settings).ok);
}

TEST(CouponPages, BadLineInTheRangeStopsBeforeAnyPage) {
    Lines lines = SystemOf(12);
    lines[11] = "1-0  2-2";  // the last line of coupon 3
    const CouponPages bad = BuildCouponPages(lines, "1", "3", 0, Settings);
    EXPECT_FALSE(bad.ok);
    EXPECT_TRUE(bad.badLine);
    EXPECT_EQ(bad.message, "'' is not a valid integer value");
    EXPECT_TRUE(bad.pages.empty());
    EXPECT_TRUE(BuildCouponPages(lines, "1", "2", 0, Settings).ok);  // outside the range it does not matter

    // A digit 4..9 marks nothing and is no error.
    lines = {"9-0  2-2  0-3  1-1  3-0  0-0  "};
    const CouponPages nine = BuildCouponPages(lines, "1", "1", 0, Settings);
    ASSERT_TRUE(nine.ok);
    EXPECT_EQ(Count(nine.pages[0], "***"), 11);
}

TEST(CouponPages, TestPageMarksEveryBox) {
    const CouponPage page = BuildTestPage(Settings);
    ASSERT_EQ(page.size(), 1u + 240u + 4u);
    EXPECT_EQ(page[0], (CouponText{10, 77, "TEST"}));
    EXPECT_EQ(page[1], CouponCell(Settings, 0, 0));
    EXPECT_EQ(page[2], CouponCell(Settings, 0, 1));
    EXPECT_EQ(page[11], CouponCell(Settings, 1, 0));
    EXPECT_EQ(page[240], CouponCell(Settings, 23, 9));
    for (int z = 0; z < 4; ++z) EXPECT_EQ(page[241 + static_cast<std::size_t>(z)], CouponZMark(Settings, z));
}

}  // namespace
}  // namespace kombinator

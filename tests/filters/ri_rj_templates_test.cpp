#include "filters/ri_rj_templates.h"

#include <gtest/gtest.h>

#include "engine/settings_fixtures.h"

namespace kombinator {
namespace {

TEST(RiTemplates, CountsOfOnesAndDrawsPickTheTemplate) {
    FilterSettings s = testing::AllBasic();
    s.RiActive = 1;
    const WorkSigns allOnes{1, 1, 1, 1, 1, 1};
    const WorkSigns mixed{0, 0, 2, 2, 2, 1};  // "1 2 3"
    EXPECT_FALSE(RiPass(s, allOnes));
    s.RiTemplate[6][0] = 1;
    EXPECT_TRUE(RiPass(s, allOnes));
    EXPECT_FALSE(RiPass(s, mixed));
    s.RiTemplate[1][2] = 1;
    EXPECT_TRUE(RiPass(s, mixed));
    EXPECT_EQ(ValidateRiTemplates(s), "");
    s.RiTemplate = {};
    EXPECT_EQ(ValidateRiTemplates(s), RiMessage);
}

// Signs with draws (0) at the given Positions and home wins elsewhere.
WorkSigns DrawsAt(std::initializer_list<int> positions, std::uint8_t sign = 0) {
    WorkSigns w{1, 1, 1, 1, 1, 1};
    for (int p : positions) w[p - 1] = sign;
    return w;
}

TEST(RjTemplates, EachRunShapeNeedsItsOwnColumn) {
    struct Case { const char* name; WorkSigns signs; int passingFlag; };  // 0: no flag passes
    const Case cases[] = {
        {"run of three 1-3", DrawsAt({1, 2, 3}), 1},
        {"two runs of two", DrawsAt({1, 2, 4, 5}), 2},
        {"run of two across the halves", DrawsAt({3, 4}), 3},
        {"no neighbours", DrawsAt({1, 3, 5}), 4},
        {"no draw", DrawsAt({}), 4},
        {"6 and 1 are not neighbours", DrawsAt({6, 1}), 4},
        {"three and two", DrawsAt({1, 2, 3, 5, 6}), 0},
        {"four in a row", DrawsAt({1, 2, 3, 4}), 0},
        {"two and two joined at 3-4", DrawsAt({2, 3, 4, 5}), 0},
        {"six draws", DrawsAt({1, 2, 3, 4, 5, 6}), 0},
        {"run of three 4-6 and a single", DrawsAt({1, 4, 5, 6}), 1},
    };
    for (const Case& c : cases)
        for (int flag = 1; flag <= 4; ++flag) {
            std::array<Flag, 5> t{};
            t[flag] = 1;
            EXPECT_EQ(RjPass(t, c.signs, 0), flag == c.passingFlag) << c.name << " flag " << flag;
        }
    const std::array<Flag, 5> all{0, 1, 1, 1, 1};
    EXPECT_FALSE(RjPass(all, DrawsAt({1, 2, 3, 5, 6}), 0));
}

TEST(RjTemplates, DrawsAndTwosAreSeparate) {
    const WorkSigns twosInARow = DrawsAt({1, 2, 3, 4}, 2);
    std::array<Flag, 5> noRun{};
    noRun[4] = 1;
    EXPECT_TRUE(RjPass(noRun, twosInARow, 0));   // the draws' template sees no draw
    EXPECT_FALSE(RjPass(noRun, twosInARow, 2));  // the twos' template sees four in a row
    const RjRunCounts runs = CountRjRuns(WorkSigns{2, 2, 0, 2, 2, 2}, 2);
    EXPECT_EQ(runs.runs2, 1);
    EXPECT_EQ(runs.runs3, 1);
    EXPECT_EQ(runs.runsLong, 0);
}

TEST(RjTemplates, ValidationNeedsAColumnOfEachFamilyInForce) {
    FilterSettings s = testing::AllBasic();
    s.RjDrawActive = 0;
    s.RjTwoActive = 1;
    EXPECT_EQ(ValidateRjTemplates(s), RjMessage);
    s.RjTwoTemplate[0] = 1;  // no box of its own
    EXPECT_EQ(ValidateRjTemplates(s), RjMessage);
    s.RjTwoTemplate[2] = 1;
    EXPECT_EQ(ValidateRjTemplates(s), "");
}

}  // namespace
}  // namespace kombinator

#include "filters/block_goal_counts.h"

#include <gtest/gtest.h>

#include "engine/settings_fixtures.h"

namespace kombinator {
namespace {

using testing::Scores;

TEST(BlockGoalCounts, EveryRowMustHoldTheCountOfItsGoalNumber) {
    FilterSettings s = testing::AllBasic();
    s.HomeBlockActive = 1;
    s.HomeBlockCounts.fill(1);
    s.HomeBlockCounts[6 * 0 + 2] = 0;  // goal number 0 not in exactly two Positions
    EXPECT_TRUE(HomeBlockPass(s, Scores({0, 10, 20, 0, 0, 10})));   // home 0 at three Positions
    EXPECT_FALSE(HomeBlockPass(s, Scores({0, 10, 20, 30, 10, 0})));  // home 0 at two

    s.HomeBlockCounts.fill(1);
    EXPECT_FALSE(HomeBlockPass(s, Scores({10, 11, 12, 13, 10, 11})));  // six home goals of 1
    EXPECT_TRUE(HomeBlockPass(s, Scores({10, 11, 12, 13, 10, 21})));
}

TEST(BlockGoalCounts, HomeAndAwayReadTheirOwnGoals) {
    FilterSettings s = testing::AllBasic();
    s.AwayBlockCounts.fill(1);
    s.HomeBlockCounts.fill(1);
    const Combination homeZeros = Scores({1, 2, 3, 1, 2, 3});
    EXPECT_FALSE(HomeBlockPass(s, homeZeros));
    EXPECT_TRUE(AwayBlockPass(s, homeZeros));
    const std::array<int, 4> counts{2, 2, 1, 1};
    s.AwayBlockCounts[6 * 2 + 1] = 0;
    EXPECT_FALSE(BlockCountsPass(s.AwayBlockCounts, counts));
}

TEST(BlockGoalCounts, EveryRowNeedsATickHomeFirst) {
    FilterSettings s = testing::AllBasic();
    s.HomeBlockActive = s.AwayBlockActive = 1;
    s.HomeBlockCounts[6 * 3 + 0] = 1;
    EXPECT_EQ(ValidateHomeBlock(s), HomeBlockMessage);
    for (int g = 0; g < 3; ++g) s.HomeBlockCounts[6 * g + 5] = 1;
    EXPECT_EQ(ValidateHomeBlock(s), "");
    EXPECT_EQ(ValidateAwayBlock(s), AwayBlockMessage);
}

}  // namespace
}  // namespace kombinator

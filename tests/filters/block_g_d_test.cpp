#include "filters/block_g_d.h"

#include <gtest/gtest.h>

#include "engine/settings_fixtures.h"

namespace kombinator {
namespace {

using testing::Scores;

TEST(BlockGD, SignTemplateThenHomeAwayAndTotalBounds) {
    FilterSettings s = testing::AllBasic();  // block bounds at their start values 7 9 3 5 3 5
    s.BlockGActive = 1;
    s.BlockGSigns[4 * 1 + 1] = 1;  // "1 1 1"
    struct Case { const char* name; Combination c; bool passes; };
    const Case cases[] = {
        {"3-0 1-1 0-3", Scores({30, 11, 3, 0, 0, 0}), true},
        {"1-0 0-0 0-1: too few goals", Scores({10, 0, 1, 33, 33, 33}), false},
        {"3-0 2-2 0-3: total 10", Scores({30, 22, 3, 0, 0, 0}), false},
        {"3-0 3-1 0-3: two home wins", Scores({30, 31, 3, 0, 0, 0}), false},
        {"2-0 1-1 1-3: home 4 away 4", Scores({20, 11, 13, 0, 0, 0}), true},
    };
    for (const Case& c : cases) EXPECT_EQ(BlockGPass(s, c.c), c.passes) << c.name;
}

TEST(BlockGD, BlockDLooksAtPositionsFourToSix) {
    FilterSettings s = testing::AllBasic();
    s.BlockDActive = 1;
    s.BlockDSigns[0] = 1;  // "0 0 3": three away wins
    s.BlockDRange = {0, 36, 0, 36, 0, 36};
    EXPECT_TRUE(BlockDPass(s, Scores({10, 10, 10, 1, 2, 13})));
    EXPECT_FALSE(BlockDPass(s, Scores({1, 2, 3, 1, 2, 0})));
    s.BlockDRange = {0, 36, 0, 36, 0, 5};
    EXPECT_FALSE(BlockDPass(s, Scores({10, 10, 10, 1, 2, 13})));  // away 6
}

TEST(BlockGD, BlockGIsValidatedFirst) {
    FilterSettings s = testing::AllBasic();
    s.BlockGActive = s.BlockDActive = 1;
    EXPECT_EQ(ValidateBlockG(s), BlockGMessage);
    EXPECT_EQ(ValidateBlockD(s), BlockDMessage);
    s.BlockGSigns[4 * 3 + 0] = 1;
    EXPECT_EQ(ValidateBlockG(s), "");
}

}  // namespace
}  // namespace kombinator

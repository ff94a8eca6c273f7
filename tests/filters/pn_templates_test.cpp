#include "filters/pn_templates.h"

#include <gtest/gtest.h>

#include "engine/settings_fixtures.h"

namespace kombinator {
namespace {

using testing::Scores;

FilterSettings EveryPnBox() {
    FilterSettings s = testing::AllBasic();
    s.PnActive = 1;
    for (int e = 3; e <= 9; ++e) s.PnOverall[e] = 1;
    for (int e = 1; e <= 5; ++e) s.PnHomeBlock[e] = s.PnAwayBlock[e] = 1;
    return s;
}

TEST(PnTemplates, CountsWithoutABoxAlwaysReject) {
    const FilterSettings s = EveryPnBox();
    EXPECT_FALSE(PnPass(s, Scores({10, 10, 10, 10, 10, 10})));  // no even home count
    EXPECT_FALSE(PnPass(s, Scores({0, 2, 20, 22, 0, 1})));      // six even home counts
    EXPECT_FALSE(PnPass(s, 5, 5));                              // ten even overall
    EXPECT_TRUE(PnPass(s, 5, 4));
}

TEST(PnTemplates, HomeAwayAndOverallMustAllMatch) {
    const Combination c = Scores({1, 23, 10, 32, 1, 23});  // even home 4, even away 2
    FilterSettings s = testing::AllBasic();
    s.PnActive = 1;
    s.PnHomeBlock[4] = s.PnAwayBlock[2] = s.PnOverall[6] = 1;
    EXPECT_TRUE(PnPass(s, c));
    for (Flag* box : {&s.PnHomeBlock[4], &s.PnAwayBlock[2], &s.PnOverall[6]}) {
        *box = 0;
        EXPECT_FALSE(PnPass(s, c));
        *box = 1;
    }
}

TEST(PnTemplates, EveryRowNeedsATick) {
    FilterSettings s = EveryPnBox();
    EXPECT_EQ(ValidatePnTemplates(s), "");
    s.PnAwayBlock = {};
    s.PnAwayBlock[6] = 1;  // no box of its own
    EXPECT_EQ(ValidatePnTemplates(s), PnMessage);
    s.PnActive = 0;
    EXPECT_EQ(ValidatePnTemplates(s), "");
}

}  // namespace
}  // namespace kombinator

#include "filters/rw_templates.h"

#include <gtest/gtest.h>

#include "engine/settings_fixtures.h"

namespace kombinator {
namespace {

using testing::Scores;

constexpr int S(int home, int away) { return 4 * home + away; }

void Allow(FilterSettings& s, int score, RwPattern pattern) { s.RwTemplate[3 * score + pattern] = 1; }

TEST(RwTemplates, WeightCountsPositionsTheBoxesCouldFill) {
    FilterSettings s = testing::AllBasic();
    s.RwActive = 1;
    Allow(s, S(1, 1), Single);
    Allow(s, S(0, 0), Single);
    EXPECT_EQ(RwWeight(s), 2);
    EXPECT_EQ(ValidateRwTemplates(s), RwMessage);
    s.RwTemplate = {};
    Allow(s, S(2, 2), AdjacentPair);
    Allow(s, S(2, 2), SeparatePair);
    Allow(s, S(2, 2), Single);
    EXPECT_EQ(RwWeight(s), 5);
    EXPECT_EQ(ValidateRwTemplates(s), RwMessage);
    Allow(s, S(0, 3), Single);
    EXPECT_EQ(ValidateRwTemplates(s), "");
}

TEST(RwTemplates, EachOccurrenceNeedsItsPattern) {
    // 0-0 only as a neighbouring pair; 3-3 only twice apart; the other scores only once.
    FilterSettings s = testing::AllBasic();
    s.RwActive = 1;
    Allow(s, S(0, 0), AdjacentPair);
    Allow(s, S(3, 3), SeparatePair);
    for (int i = 1; i < 15; ++i) Allow(s, i, Single);
    struct Case { const char* name; Combination c; bool passes; };
    const Case cases[] = {
        {"0-0 at 3 and 4", Scores({10, 20, 0, 0, 30, 31}), true},
        {"0-0 at 3 and 5", Scores({10, 20, 0, 30, 0, 31}), false},
        {"0-0 at 2, 3 and 4", Scores({10, 0, 0, 0, 30, 31}), false},
        {"0-0 at 5 and 6", Scores({10, 20, 30, 31, 0, 0}), true},
        {"0-0 once", Scores({10, 20, 0, 30, 31, 32}), false},
        {"3-3 at 1 and 6", Scores({33, 10, 20, 30, 31, 33}), true},
        {"3-3 at 1 and 2", Scores({33, 33, 20, 30, 31, 32}), false},
        {"one score twice beside each other", Scores({33, 10, 20, 30, 30, 33}), false},
        {"six different singles", Scores({1, 2, 3, 10, 11, 12}), true},
        {"a single at 6", Scores({0, 0, 33, 10, 33, 12}), true},
    };
    for (const Case& c : cases) EXPECT_EQ(RwTemplatesPass(s, c.c), c.passes) << c.name;
}

TEST(RwTemplates, ThreeOfOneScoreNeverPass) {
    FilterSettings s = testing::AllBasic();
    s.RwActive = 1;
    s.RwTemplate.fill(1);
    EXPECT_FALSE(RwTemplatesPass(s, Scores({11, 0, 11, 0, 11, 2})));
    EXPECT_TRUE(RwTemplatesPass(s, Scores({11, 0, 11, 0, 12, 2})));
}

}  // namespace
}  // namespace kombinator

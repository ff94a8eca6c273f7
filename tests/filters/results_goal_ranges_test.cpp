#include "filters/results_goal_ranges.h"

#include <gtest/gtest.h>

#include "engine/settings_fixtures.h"

namespace kombinator {
namespace {

using testing::Scores;

TEST(GoalRanges, BoundsAreInclusiveAndAllThreeApply) {
    const FilterSettings startUp;  // total 14..18, home 7..9, away 7..9
    struct Case { int home, away; bool passes; };
    const Case cases[] = {{8, 8, true}, {7, 7, true}, {9, 9, true}, {6, 8, false},
                          {10, 7, false}, {8, 10, false}, {7, 6, false}};
    for (const Case& c : cases) EXPECT_EQ(GoalRangesPass(startUp, c.home, c.away), c.passes) << c.home << ":" << c.away;

    FilterSettings s = testing::AllBasic();
    s.TotalGoalsFrom = 5, s.TotalGoalsTo = 6;
    EXPECT_TRUE(GoalRangesPass(s, Scores({10, 11, 1, 0, 0, 1})));  // 2 + 3 = 5
    EXPECT_FALSE(GoalRangesPass(s, Scores({33, 0, 0, 0, 0, 1})));  // 7
    s.HomeGoalsFrom = 19;                                          // above any sum of six
    EXPECT_FALSE(GoalRangesPass(s, 18, 0));
}

TEST(ResultsPerPosition, OnlyPositionsInForceLookAtTheirScores) {
    FilterSettings s = testing::AllBasic();
    s.ScoreFilterActive[3] = 1;
    s.ScoreAllowed[3][5] = 1;      // "1 - 1"
    s.ScoreAllowed[4][0] = 1;      // Position 4 not in force: ignored
    EXPECT_TRUE(ScoresPass(s, Scores({0, 0, 11, 33, 0, 0})));
    EXPECT_FALSE(ScoresPass(s, Scores({0, 0, 22, 0, 0, 0})));
    EXPECT_TRUE(PositionScorePass(s, 4, MatchScore{3, 3}));
}

TEST(ResultsPerPosition, EmptyPositionInForceNamesItself) {
    FilterSettings s = testing::AllBasic();
    s.ScoreAllowed[2][7] = 1;
    s.ScoreFilterActive[5] = 1;
    EXPECT_EQ(ValidateScoreFilters(s), "Panel - Wyniki i bramki: Pozycja 5 - nie ustalone wyniki !");
    s.ScoreFilterActive[5] = 0;
    s.ScoreFilterActive[2] = 1;
    EXPECT_EQ(ValidateScoreFilters(s), "");
    for (int p = 1; p <= 6; ++p)
        EXPECT_EQ(ScoreFilterMessage(p),
                  "Panel - Wyniki i bramki: Pozycja " + std::to_string(p) + " - nie ustalone wyniki !");
}

}  // namespace
}  // namespace kombinator

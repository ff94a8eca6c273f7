#include "filters/preferred_results.h"

#include <gtest/gtest.h>

#include "engine/settings_fixtures.h"

namespace kombinator {
namespace {

using testing::Scores;

constexpr int S(int home, int away) { return 4 * home + away; }

TEST(PreferredResults, ASetIsMetWhenEveryScoreStandsSomewhere) {
    FilterSettings s = testing::AllBasic();
    s.PreferredActive = 1;
    s.PreferredScores[0][S(1, 0)] = 1;
    EXPECT_TRUE(PreferredResultsPass(s, Scores({0, 10, 0, 0, 0, 0})));
    EXPECT_TRUE(PreferredResultsPass(s, Scores({10, 10, 10, 0, 0, 0})));
    EXPECT_FALSE(PreferredResultsPass(s, Scores({1, 1, 1, 1, 1, 1})));

    s.PreferredScores[0][S(2, 1)] = 1;
    s.PreferredScores[1][S(0, 0)] = 1;
    EXPECT_TRUE(PreferredResultsPass(s, Scores({10, 0, 33, 33, 33, 33})));   // through set 2
    EXPECT_FALSE(PreferredResultsPass(s, Scores({21, 33, 33, 33, 33, 33})));  // half of set 1 only
    EXPECT_TRUE(PreferredResultsPass(s, Scores({33, 33, 21, 33, 33, 10})));
}

TEST(PreferredResults, EmptySecondAndThirdSetsAreNeverMet) {
    FilterSettings s = testing::AllBasic();
    s.PreferredActive = 1;
    for (int i = 0; i < 7; ++i) s.PreferredScores[0][i] = 1;  // seven scores: never met
    const Combination c = Scores({0, 1, 2, 3, 10, 11});
    EXPECT_FALSE(PreferredSetMet(s.PreferredScores[0], c));
    EXPECT_FALSE(PreferredResultsPass(s, c));
    EXPECT_TRUE(PreferredSetMet(s.PreferredScores[1], c));  // an empty set holds nothing to miss...
    s.PreferredScores[2][S(1, 1)] = 1;
    EXPECT_TRUE(PreferredResultsPass(s, c));  // ...but only a filled later set can let it through
}

TEST(PreferredResults, OnlyTheFirstSetIsValidated) {
    FilterSettings s = testing::AllBasic();
    s.PreferredActive = 1;
    s.PreferredScores[1][S(0, 0)] = 1;
    s.PreferredScores[2][S(0, 0)] = 1;
    EXPECT_EQ(ValidatePreferredResults(s), PreferredMessage);
    s.PreferredScores[0][S(3, 3)] = 1;
    s.PreferredScores[1] = {};
    EXPECT_EQ(ValidatePreferredResults(s), "");
}

}  // namespace
}  // namespace kombinator

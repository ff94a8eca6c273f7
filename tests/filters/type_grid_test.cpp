#include "filters/type_grid.h"

#include <gtest/gtest.h>

#include <memory>

#include "engine/filter_run.h"
#include "engine/settings_fixtures.h"

namespace kombinator {
namespace {

using testing::AllBasic;

TEST(TypeGrid, MarkOfTheSignDecidesAndCountsBasicTypes) {
    FilterSettings s = AllBasic();
    s.TypeMarks[1] = {BasicType, AdditionalType, NotAllowed};  // "1" Tp, "0" Td, "2" not allowed
    struct Case { std::uint8_t signOfPosition1; bool passes; int tpCount; };
    const Case cases[] = {{1, true, 6}, {0, true, 5}, {2, false, 0}};
    for (const Case& c : cases) {
        const WorkSigns signs{c.signOfPosition1, 1, 0, 2, 1, 0};
        int tp = -1;
        EXPECT_EQ(TypeGridPass(s, signs, tp), c.passes) << int(c.signOfPosition1);
        if (c.passes) {
            EXPECT_EQ(tp, c.tpCount);
        }
    }
}

TEST(TypeGrid, RelationBoxesFollowTheNumberOfPositionsWithAdditionalTypes) {
    FilterSettings s = AllBasic();
    EXPECT_FALSE(RelationsActive(s));
    for (int k = 1; k <= 7; ++k) EXPECT_FALSE(RelationBoxEnabled(s, k));

    s.TypeMarks[2][1] = AdditionalType;
    s.TypeMarks[5][2] = AdditionalType;
    s.TypeMarks[5][1] = AdditionalType;  // a second Td in the same Position counts once
    EXPECT_TRUE(RelationsActive(s));
    for (int k = 1; k <= 7; ++k) EXPECT_EQ(RelationBoxEnabled(s, k), k <= 3) << k;

    for (int p = 1; p <= 6; ++p) s.TypeMarks[p][2] = AdditionalType;
    for (int k = 1; k <= 7; ++k) EXPECT_TRUE(RelationBoxEnabled(s, k)) << k;
}

TEST(TypeGrid, DisabledTickCountsForNothingUntilEnabledAgain) {
    FilterSettings s = AllBasic();
    s.TypeMarks[1][1] = AdditionalType;  // D = 1: "6 - 0" and "5 - 1" enabled
    s.RelationTicked[3] = 1;             // "4 - 2", disabled
    EXPECT_EQ(ValidateRelations(s), RelationsMessage);
    EXPECT_FALSE(RelationPass(s, 4));
    s.TypeMarks[2][2] = AdditionalType;  // D = 2: the old tick counts again
    EXPECT_EQ(ValidateRelations(s), "");
    EXPECT_TRUE(RelationPass(s, 4));
    EXPECT_FALSE(RelationPass(s, 5));
}

TEST(TypeGrid, OneAdditionalSignInExactlyOneOfTwoPositions) {
    // Positions 1 and 2: "1" basic, "0" and "2" additional; only "5 - 1" ticked.
    FilterSettings s = AllBasic();
    for (int p : {1, 2}) s.TypeMarks[p] = {BasicType, AdditionalType, AdditionalType};
    s.RelationTicked[2] = 1;
    auto store = std::make_unique<CandidateStore>();
    const FilterRunResult r = FilterRun(s, *store);
    ASSERT_TRUE(r.valid());
    // Six scores are home wins, ten are draws or away wins; the other four Positions are free.
    EXPECT_EQ(r.CandidateCount, 2 * 6 * 10 * 16 * 16 * 16 * 16);
    for (int k = 1; k <= 50; ++k) {
        const WorkSigns signs = SignsOf(store->At(k));
        EXPECT_EQ((signs[0] != 1) + (signs[1] != 1), 1) << k;
    }
}

}  // namespace
}  // namespace kombinator

#include "engine/filter_run.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <cstring>
#include <vector>
#include <algorithm>

#include "engine/settings_fixtures.h"
#include "reference/filter_chain.h"

namespace kombinator {
namespace {

using testing::AllBasic;

std::unique_ptr<CandidateStore> NewStore() { return std::make_unique<CandidateStore>(); }

TEST(FilterRunValidation, FirstFailingCheckGivesItsMessage) {
    struct Case {
        const char* name;
        std::function<void(FilterSettings&)> setUp;
        std::string message;
    };
    const Case cases[] = {
        {"start-up grid", [](FilterSettings& s) { s = FilterSettings{}; },
         "Panel - Typy ogólne: W każdej pozycji minimum jeden typ podstawowy !"},
        {"additional type alone",
         [](FilterSettings& s) { s.TypeMarks[1] = {AdditionalType, NotAllowed, NotAllowed}; },
         "Panel - Typy ogólne: W każdej pozycji minimum jeden typ podstawowy !"},
        {"relations in force, none ticked", [](FilterSettings& s) { s.TypeMarks[3][1] = AdditionalType; },
         "Panel - Typy ogólne: Nie ustalone relacje Tp - Td !"},
        {"only a disabled relation ticked",
         [](FilterSettings& s) {
             s.TypeMarks[3][1] = AdditionalType;  // D = 1: boxes 1 and 2 enabled
             s.RelationTicked[3] = 1;
         },
         "Panel - Typy ogólne: Nie ustalone relacje Tp - Td !"},
        {"RI before Position 1",
         [](FilterSettings& s) {
             s.RiActive = 1;
             s.ScoreFilterActive[1] = 1;
         },
         "Panel - Typy ogólne: Nie ustalone szablony RI !"},
        {"RJ twos empty", [](FilterSettings& s) { s.RjTwoActive = 1; },
         "Panel - Typy ogólne: Nie ustalone szablony RJ !"},
        {"RJ draws empty before Position 2",
         [](FilterSettings& s) {
             s.RjDrawActive = 1;
             s.ScoreFilterActive[2] = 1;
         },
         "Panel - Typy ogólne: Nie ustalone szablony RJ !"},
        {"Position 2 before Position 5",
         [](FilterSettings& s) {
             s.ScoreFilterActive[5] = 1;
             s.ScoreFilterActive[2] = 1;
         },
         "Panel - Wyniki i bramki: Pozycja 2 - nie ustalone wyniki !"},
        {"Position 6", [](FilterSettings& s) { s.ScoreFilterActive[6] = 1; },
         "Panel - Wyniki i bramki: Pozycja 6 - nie ustalone wyniki !"},
        {"P-N away row empty",
         [](FilterSettings& s) {
             s.PnActive = 1;
             s.PnOverall[6] = 1;
             s.PnHomeBlock[3] = 1;
             s.PnAwayBlock[0] = 1;  // no box: does not count
         },
         "Panel - Wyniki i bramki: Nie ustalone szablony P - N !"},
        {"preferred set 2 only",
         [](FilterSettings& s) {
             s.PreferredActive = 1;
             s.PreferredScores[1][5] = 1;
         },
         "Panel - Preferencje: Nie ustalone preferowane wyniki !"},
        {"home block before RW",
         [](FilterSettings& s) {
             s.HomeBlockActive = 1;
             s.HomeBlockCounts[6 * 3 + 0] = 1;
             s.RwActive = 1;
         },
         "Panel - Warunki blokowe: Blok gospodarzy - Nie ustalona liczba bramek we wszystkich blokach !"},
        {"away block", [](FilterSettings& s) { s.AwayBlockActive = 1; },
         "Panel - Warunki blokowe: Blok przyjezdnych - Nie ustalona liczba bramek we wszystkich blokach !"},
        {"RW weight 5",
         [](FilterSettings& s) {
             s.RwActive = 1;
             s.RwTemplate[3 * 7 + AdjacentPair] = s.RwTemplate[3 * 7 + SeparatePair] = s.RwTemplate[3 * 7 + Single] = 1;
             s.BlockGActive = 1;
         },
         "Panel - Preferencje: Szablony RW - z zaznaczonych wyników nie zbudujesz ani jednej kombinacji !"},
        {"Block G before Block D",
         [](FilterSettings& s) {
             s.BlockGActive = 1;
             s.BlockDActive = 1;
         },
         "Panel - Preferencje: Blok G ( poz 1-3 ) - nie ustalone szablony jedynek zer i dwójek !"},
        {"Block D", [](FilterSettings& s) { s.BlockDActive = 1; },
         "Panel - Preferencje: Blok D ( poz 4-6 ) - nie ustalone szablony jedynek zer i dwójek !"},
    };
    for (const Case& c : cases) {
        FilterSettings s = AllBasic();
        c.setUp(s);
        EXPECT_EQ(ValidateFilterSettings(s), c.message) << c.name;
        EXPECT_EQ(reference::ValidateFilterSettingsReference(s), c.message) << c.name;
    }
}

TEST(FilterRunValidation, CompleteFamiliesPass) {
    FilterSettings s = AllBasic();
    s.TypeMarks[2][2] = AdditionalType;
    s.RelationTicked[2] = 1;
    s.RiActive = 1;
    s.RiTemplate[0][6] = 1;
    s.RjDrawActive = s.RjTwoActive = 1;
    s.RjDrawTemplate[4] = s.RjTwoTemplate[1] = 1;
    s.ScoreFilterActive[4] = 1;
    s.ScoreAllowed[4][15] = 1;
    s.PnActive = 1;
    s.PnOverall[3] = s.PnHomeBlock[5] = s.PnAwayBlock[1] = 1;
    s.PreferredActive = 1;
    s.PreferredScores[0][0] = 1;
    s.HomeBlockActive = s.AwayBlockActive = 1;
    for (int g = 0; g < 4; ++g) s.HomeBlockCounts[6 * g + 5] = s.AwayBlockCounts[6 * g] = 1;
    s.RwActive = 1;
    for (int i = 0; i < 6; ++i) s.RwTemplate[3 * i + Single] = 1;
    s.BlockGActive = s.BlockDActive = 1;
    s.BlockGSigns[0] = s.BlockDSigns[12] = 1;
    EXPECT_EQ(ValidateFilterSettings(s), "");
    EXPECT_EQ(reference::ValidateFilterSettingsReference(s), "");
}

TEST(FilterRun, FailedValidationGivesMessageAndCountZero) {
    auto store = NewStore();
    const FilterRunResult r = FilterRun(FilterSettings{}, *store);
    EXPECT_FALSE(r.valid());
    EXPECT_EQ(r.message, "Panel - Typy ogólne: W każdej pozycji minimum jeden typ podstawowy !");
    EXPECT_EQ(r.CandidateCount, 0);
}

TEST(FilterRun, DrawsZeroZeroAndOneOneInEveryPositionGiveSixtyFour) {
    FilterSettings s = AllBasic();
    for (int p = 1; p <= 6; ++p) {
        s.ScoreFilterActive[p] = 1;
        s.ScoreAllowed[p][0] = s.ScoreAllowed[p][5] = 1;  // "0 - 0", "1 - 1"
    }
    auto store = NewStore();
    std::memset(store->Data(), 0xAA, RecordStore::ByteSize);  // left over from an earlier run
    const FilterRunResult r = FilterRun(s, *store);
    ASSERT_TRUE(r.valid());
    EXPECT_EQ(r.CandidateCount, 64);
    EXPECT_EQ(store->RecordBytes(65)[0], 0xAA);  // the store is overwritten, never cleared
    EXPECT_EQ(store->Record(1), CombinationRecord{});
    CombinationRecord ones;
    ones.fill(1);
    EXPECT_EQ(store->Record(64), ones);
    // Records in between stay in canonical order.
    for (int k = 2; k <= 64; ++k)
        EXPECT_LT(CanonicalIndex(store->At(k - 1)), CanonicalIndex(store->At(k))) << k;
}

TEST(FilterRun, StartUpGoalRangesCountEveryHomeAndAwaySumSevenToNine) {
    FilterSettings s = AllBasic();
    s.TotalGoalsFrom = 14, s.TotalGoalsTo = 18;
    s.HomeGoalsFrom = s.AwayGoalsFrom = 7;
    s.HomeGoalsTo = s.AwayGoalsTo = 9;
    // Number of ways six goal counts 0..3 add up to n.
    long ways[19] = {};
    for (int n = 0; n < 4096; ++n) {
        int sum = 0;
        for (int k = n, i = 0; i < 6; ++i, k /= 4) sum += k % 4;
        ++ways[sum];
    }
    const long expected = (ways[7] + ways[8] + ways[9]) * (ways[7] + ways[8] + ways[9]);
    auto store = NewStore();
    const FilterRunResult r = FilterRun(s, *store);
    EXPECT_EQ(r.CandidateCount, expected);
    EXPECT_GT(r.CandidateCount, 2400000);
}

TEST(FilterRun, MatchesReferenceChainOnHandPickedSettings) {
    std::vector<FilterSettings> settings;
    {
        FilterSettings s = AllBasic();  // start-up goal ranges
        s.TotalGoalsFrom = 14, s.TotalGoalsTo = 18;
        s.HomeGoalsFrom = s.AwayGoalsFrom = 7;
        s.HomeGoalsTo = s.AwayGoalsTo = 9;
        settings.push_back(s);
    }
    {
        FilterSettings s = AllBasic();
        s.TypeMarks[1] = {BasicType, AdditionalType, NotAllowed};
        s.TypeMarks[4] = {NotAllowed, BasicType, AdditionalType};
        s.RelationTicked[2] = 1;
        s.RiActive = 1;
        s.RiTemplate[2][2] = s.RiTemplate[3][1] = s.RiTemplate[1][3] = 1;
        s.RjDrawActive = 1;
        s.RjDrawTemplate[3] = s.RjDrawTemplate[4] = 1;
        s.PreferredActive = 1;
        s.PreferredScores[0][4] = 1;
        s.PreferredScores[2][0] = s.PreferredScores[2][5] = 1;
        s.RwActive = 1;
        for (int i = 0; i < 16; ++i) s.RwTemplate[3 * i + Single] = s.RwTemplate[3 * i + (i % 2)] = 1;
        s.BlockDActive = 1;
        s.BlockDSigns[4 * 1 + 1] = s.BlockDSigns[4 * 2 + 1] = 1;
        settings.push_back(s);
    }
    {
        // Pairs across Positions 3 and 4: 0-0 only beside itself, 1-1 only apart, the rest once.
        FilterSettings s = AllBasic();
        s.RwActive = 1;
        for (int i = 0; i < 16; ++i) s.RwTemplate[3 * i + Single] = i > 5;
        s.RwTemplate[3 * 0 + AdjacentPair] = s.RwTemplate[3 * 5 + SeparatePair] = 1;
        settings.push_back(s);
    }
    {
        // Runs of draws joining across the halves; preferred sets of up to six scores.
        FilterSettings s = AllBasic(0, 14);
        s.RjDrawActive = 1;
        s.RjDrawTemplate[2] = s.RjDrawTemplate[3] = 1;
        s.PreferredActive = 1;
        for (int i : {0, 5, 10, 4, 1}) s.PreferredScores[0][i] = 1;
        for (int i : {0, 5, 10, 15, 4, 8}) s.PreferredScores[1][i] = 1;
        s.PreferredScores[2][15] = 1;
        s.HomeBlockActive = 1;
        s.HomeBlockCounts.fill(1);
        s.HomeBlockCounts[6 * 1 + 0] = 0;
        settings.push_back(s);
    }
    auto fast = NewStore();
    auto slow = NewStore();
    for (const FilterSettings& s : settings) {
        const FilterRunResult a = FilterRun(s, *fast);
        const FilterRunResult b = reference::FilterRunReference(s, *slow);
        EXPECT_EQ(a.message, b.message);
        ASSERT_EQ(a.CandidateCount, b.CandidateCount);
        const int stored = std::min(a.CandidateCount, StoreCapacity);
        EXPECT_EQ(std::memcmp(fast->Data(), slow->Data(), RecordSize * stored), 0);
    }
}

}  // namespace
}  // namespace kombinator

namespace kombinator {
namespace {

void ExpectSameAsReference(const FilterSettings& s, std::int32_t expectedCount) {
    auto fast = NewStore();
    auto slow = NewStore();
    const FilterRunResult a = FilterRun(s, *fast);
    const FilterRunResult b = reference::FilterRunReference(s, *slow);
    ASSERT_EQ(a.CandidateCount, expectedCount);
    ASSERT_EQ(b.CandidateCount, expectedCount);
    EXPECT_EQ(std::memcmp(fast->Data(), slow->Data(), RecordStore::ByteSize), 0);
}

TEST(FilterRun, ExactlyThirtyThousandFillTheStore) {
    // The first k scores allowed in each Position, 6 to 9 goals in all.
    FilterSettings s = AllBasic();
    const int allowed[7] = {0, 6, 7, 4, 4, 14, 15};
    for (int p = 1; p <= 6; ++p) {
        s.ScoreFilterActive[p] = 1;
        for (int i = 0; i < allowed[p]; ++i) s.ScoreAllowed[p][i] = 1;
    }
    s.TotalGoalsFrom = 6, s.TotalGoalsTo = 9;
    ExpectSameAsReference(s, StoreCapacity);
}

TEST(FilterRun, ThirtyThousandAndOneKeepCountingAndStoreTheFirst) {
    // Home sums 1..5 and away sums 2..4 with 4..7 goals in all: 30,001 Combinations by the
    // number of ways six goal counts 0..3 reach each sum.
    FilterSettings s = AllBasic();
    s.HomeGoalsFrom = 1, s.HomeGoalsTo = 5;
    s.AwayGoalsFrom = 2, s.AwayGoalsTo = 4;
    s.TotalGoalsFrom = 4, s.TotalGoalsTo = 7;
    ExpectSameAsReference(s, StoreCapacity + 1);
}

TEST(FilterRun, StoredRecordsAreExactlyTheCombinationsThatPassTheChain) {
    FilterSettings s = AllBasic(0, 36);
    for (int p = 1; p <= 6; ++p) s.TypeMarks[p] = {BasicType, AdditionalType, p % 2 ? NotAllowed : BasicType};
    s.RelationTicked[2] = s.RelationTicked[3] = s.RelationTicked[4] = 1;
    s.RjTwoActive = 1;
    s.RjTwoTemplate[3] = s.RjTwoTemplate[4] = 1;
    s.TotalGoalsFrom = 8, s.TotalGoalsTo = 13;
    s.PnActive = 1;
    for (int e = 5; e <= 8; ++e) s.PnOverall[e] = 1;
    for (int e = 2; e <= 4; ++e) s.PnHomeBlock[e] = s.PnAwayBlock[e] = 1;
    s.PreferredActive = 1;
    s.PreferredScores[0][4 * 2 + 1] = s.PreferredScores[0][4 * 1 + 1] = 1;
    s.PreferredScores[1][4 * 3 + 0] = 1;
    s.RwActive = 1;
    for (int i = 0; i < 48; ++i) s.RwTemplate[i] = (i % 3 == Single) || (i % 7 == 0);
    s.AwayBlockActive = 1;
    for (int i = 0; i < 24; ++i) s.AwayBlockCounts[i] = i % 6 != 3;
    s.BlockGActive = 1;
    s.BlockGSigns[4 * 2 + 1] = s.BlockGSigns[4 * 1 + 1] = s.BlockGSigns[4 * 1 + 2] = 1;
    s.BlockGRange = {3, 8, 2, 6, 0, 4};

    auto store = NewStore();
    const FilterRunResult r = FilterRun(s, *store);
    ASSERT_TRUE(r.valid()) << r.message;
    ASSERT_GE(r.CandidateCount, 1000);
    ASSERT_LE(r.CandidateCount, StoreCapacity);
    std::vector<std::uint32_t> passing;
    for (int k = 1; k <= r.CandidateCount; ++k) passing.push_back(CanonicalIndex(store->At(k)));
    ASSERT_TRUE(std::is_sorted(passing.begin(), passing.end()));
    for (std::uint32_t n : passing) EXPECT_TRUE(reference::ChainPasses(s, CombinationFromCanonical(n))) << n;
    // Every Combination outside the store fails the chain: a stride through all of them.
    int checked = 0;
    for (std::uint32_t n = 0; n < static_cast<std::uint32_t>(CombinationCount); n += 97, ++checked)
        ASSERT_EQ(reference::ChainPasses(s, CombinationFromCanonical(n)), std::binary_search(passing.begin(), passing.end(), n))
            << n;
    EXPECT_GT(checked, 170000);
}

}  // namespace
}  // namespace kombinator

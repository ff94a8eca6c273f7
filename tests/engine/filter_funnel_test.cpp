// The funnel and the back-test against the literal chain on seeded random settings.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>

#include "engine/filter_funnel.h"
#include "engine/filter_run.h"
#include "reference/filter_chain.h"
#include "reference/random_settings.h"
#include "scenarios.h"
#include "settings_fixtures.h"

namespace kombinator {
namespace {

#ifdef KOMBINATOR_SANITIZED
constexpr int FunnelSeedsPerShard = 1;  // the literal chain is slow under the sanitizers
constexpr int CountSeeds = 20;
#else
constexpr int FunnelSeedsPerShard = 4;
constexpr int CountSeeds = 300;
#endif

// Odd seeds put every family in force, even ones switch each family on or off at random.
FilterSettings SettingsForSeed(std::uint32_t seed) { return reference::RandomSettings(seed, seed % 2 == 1); }

// The funnel of valid settings step by step against the literal chain's first rejections.
void ExpectFunnelMatchesLiteralChain(const FilterSettings& s, const FilterFunnelResult& funnel,
                                     std::int32_t candidateCount, const std::string& label) {
    const auto expected = reference::FunnelReference(s);
    std::int32_t reached = CombinationCount;
    std::size_t next = 0;
    for (int step = 0; step < ChainStepCount; ++step) {
        if (!ChainStepActive(s, static_cast<ChainStep>(step))) {
            EXPECT_EQ(expected[step], 0) << label << " inactive step " << step;
            continue;
        }
        ASSERT_LT(next, funnel.steps.size()) << label;
        const FunnelStep& got = funnel.steps[next++];
        EXPECT_EQ(static_cast<int>(got.step), step) << label;
        EXPECT_EQ(got.reached, reached) << label << " step " << ChainStepName(got.step);
        EXPECT_EQ(got.rejected, expected[step]) << label << " step " << ChainStepName(got.step);
        reached -= expected[step];
    }
    EXPECT_EQ(next, funnel.steps.size()) << label;
    EXPECT_EQ(funnel.passed, expected[14]) << label;
    EXPECT_EQ(funnel.passed, candidateCount) << label;
}

class FunnelMatchesLiteralChain : public ::testing::TestWithParam<int> {};

TEST_P(FunnelMatchesLiteralChain, ReachedAndRejectedPerStep) {
    auto store = std::make_unique<CandidateStore>();
    for (int i = 0; i < FunnelSeedsPerShard; ++i) {
        const std::uint32_t seed = static_cast<std::uint32_t>(7000 + 100 * GetParam() + i);
        const FilterSettings s = SettingsForSeed(seed);
        const FilterFunnelResult funnel = FilterFunnel(s);
        const FilterRunResult run = FilterRun(s, *store);
        ASSERT_EQ(funnel.message, run.message) << "seed " << seed;
        if (!run.valid()) {
            EXPECT_TRUE(funnel.steps.empty()) << "seed " << seed;
            continue;
        }
        ExpectFunnelMatchesLiteralChain(s, funnel, run.CandidateCount, "seed " + std::to_string(seed));
    }
}

TEST(FilterFunnel, BenchmarkProfilesMatchTheLiteralChain) {
    // Most Combinations reach the end of every-family's chain, so every step is exercised.
#ifdef KOMBINATOR_SANITIZED
    GTEST_SKIP() << "three literal chains are too slow under the sanitizers; the random shards run there";
#endif
    auto store = std::make_unique<CandidateStore>();
    for (const bench::Scenario& scenario : bench::EngineScenarios()) {
        const FilterFunnelResult funnel = FilterFunnel(scenario.settings);
        ASSERT_TRUE(funnel.valid()) << scenario.name;
        ExpectFunnelMatchesLiteralChain(scenario.settings, funnel, FilterRun(scenario.settings, *store).CandidateCount,
                                        scenario.name);
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, FunnelMatchesLiteralChain, ::testing::Range(0, 3));

TEST(FilterFunnel, EndsWithTheFilterRunCountOnManySettings) {
    auto store = std::make_unique<CandidateStore>();
    for (std::uint32_t seed = 20000; seed < 20000 + CountSeeds; ++seed) {
        const FilterSettings s = SettingsForSeed(seed);
        const FilterFunnelResult funnel = FilterFunnel(s);
        const FilterRunResult run = FilterRun(s, *store);
        const FilterRunResult counted = CountFilterRun(s);  // what the live count shows
        ASSERT_EQ(counted.message, run.message) << "seed " << seed;
        ASSERT_EQ(counted.CandidateCount, run.CandidateCount) << "seed " << seed;
        ASSERT_EQ(funnel.message, run.message) << "seed " << seed;
        if (!run.valid()) continue;
        ASSERT_EQ(funnel.passed, run.CandidateCount) << "seed " << seed;
        ASSERT_EQ(funnel.steps.front().reached, CombinationCount) << "seed " << seed;
        for (std::size_t i = 1; i < funnel.steps.size(); ++i)
            ASSERT_EQ(funnel.steps[i].reached, funnel.steps[i - 1].reached - funnel.steps[i - 1].rejected)
                << "seed " << seed;
    }
}

TEST(FilterFunnel, ListsOnlyTheStepsThatRun) {
    using testing::AllBasic;
    FilterSettings plain = AllBasic();
    FilterSettings additional = AllBasic();
    additional.TypeMarks[2][1] = AdditionalType;
    additional.RelationTicked[1] = 1;
    FilterSettings scoresAndBlock = AllBasic();
    scoresAndBlock.ScoreFilterActive[4] = 1;
    scoresAndBlock.ScoreAllowed[4][5] = 1;
    scoresAndBlock.BlockDActive = 1;
    scoresAndBlock.BlockDSigns[0] = 1;
    const struct {
        FilterSettings settings;
        std::vector<ChainStep> steps;
    } cases[] = {
        {plain, {ChainStep::TypeGrid, ChainStep::GoalRanges}},
        {additional, {ChainStep::TypeGrid, ChainStep::Relations, ChainStep::GoalRanges}},
        {scoresAndBlock, {ChainStep::TypeGrid, ChainStep::GoalRanges, ChainStep::Scores, ChainStep::BlockD}},
    };
    for (const auto& c : cases) {
        const FilterFunnelResult funnel = FilterFunnel(c.settings);
        std::vector<ChainStep> steps;
        for (const FunnelStep& step : funnel.steps) steps.push_back(step.step);
        EXPECT_EQ(steps, c.steps);
    }
}

TEST(BacktestFilters, VerdictsMatchTheLiteralChain) {
    auto store = std::make_unique<CandidateStore>();
    std::mt19937 dice(5);
    for (std::uint32_t seed = 30000; seed < 30000 + CountSeeds; ++seed) {
        const FilterSettings s = SettingsForSeed(seed);
        // Random outcomes and some that the settings keep, so both verdicts occur.
        std::vector<Combination> outcomes;
        for (int i = 0; i < 300; ++i) outcomes.push_back(CombinationFromCanonical(dice() % CombinationCount));
        const FilterRunResult run = FilterRun(s, *store);
        for (std::int32_t k = 1; k <= std::min(run.CandidateCount, 50); ++k) outcomes.push_back(store->At(k));

        const BacktestResult backtest = BacktestFilters(s, outcomes);
        ASSERT_EQ(backtest.message, run.message) << "seed " << seed;
        if (!run.valid()) {
            EXPECT_TRUE(backtest.verdicts.empty());
            continue;
        }
        ASSERT_EQ(backtest.verdicts.size(), outcomes.size());
        std::int32_t passed = 0;
        for (std::size_t i = 0; i < outcomes.size(); ++i) {
            const int expected = reference::ChainVerdictReference(s, outcomes[i]);
            const BacktestVerdict& v = backtest.verdicts[i];
            ASSERT_EQ(v.passed ? -1 : static_cast<int>(v.rejectedBy), expected) << "seed " << seed << " outcome " << i;
            passed += expected == -1;
        }
        EXPECT_EQ(backtest.passed, passed) << "seed " << seed;
    }
}

}  // namespace
}  // namespace kombinator

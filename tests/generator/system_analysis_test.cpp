// The system analysis against the straightforward all-pairs comparison.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <set>

#include "engine/filter_run.h"
#include "generator/guarantee_reduction.h"
#include "generator/result_check.h"
#include "generator/system_analysis.h"
#include "io/system_line.h"
#include "reference/system_analysis.h"
#include "scenarios.h"

namespace kombinator {
namespace {

std::vector<std::uint32_t> Sorted(std::vector<std::uint32_t> v) {
    std::sort(v.begin(), v.end());
    v.erase(std::unique(v.begin(), v.end()), v.end());
    return v;
}

std::vector<AnalysisLine> LinesOf(const std::vector<std::uint32_t>& canonical) {
    std::vector<AnalysisLine> lines;
    for (std::uint32_t c : canonical) lines.push_back(AnalysisLineOf(CombinationFromCanonical(c)));
    return lines;
}

// `near` changes a few Positions of a given Combination, so high hit counts occur as well as low ones.
std::uint32_t Near(std::mt19937& rng, std::uint32_t c, int changes) {
    for (int i = 0; i < changes; ++i) {
        const auto p = static_cast<unsigned>(rng() % 6);
        c = (c & ~(15u << (4 * p))) | (static_cast<std::uint32_t>(rng() % 16) << (4 * p));
    }
    return c;
}

struct RandomCase {
    const char* name;
    int lines;
    int outcomes;
    int firstHalves;  // outcomes are drawn over this many first halves: few give dense sets
    int changes;      // outcomes are lines changed in up to this many Positions
};

void ExpectSameAsAllPairs(const std::vector<AnalysisLine>& lines, const std::vector<std::uint32_t>& outcomes,
                          const std::string& what) {
    const std::vector<std::uint32_t> canonical = Sorted(outcomes);
    const SystemAnalysis fast = AnalyseSystem(lines, OutcomeSource::FromList(outcomes));
    const reference::AllPairsAnalysis slow = reference::AnalyseAllPairs(lines, canonical, 0);
    ASSERT_TRUE(fast.ok()) << what;
    EXPECT_EQ(fast.lines, static_cast<std::int32_t>(lines.size())) << what;
    EXPECT_EQ(fast.outcomes, slow.outcomes) << what;
    EXPECT_EQ(fast.byBest, slow.byBest) << what;
    EXPECT_EQ(fast.guarantee, slow.guarantee) << what;
    for (int level = 1; level <= 6; ++level) {
        const reference::AllPairsAnalysis holes = reference::AnalyseAllPairs(lines, canonical, level);
        EXPECT_EQ(fast.Holes(level), holes.holes) << what << " level " << level;
        EXPECT_EQ(fast.HoleCount(level), static_cast<std::int64_t>(holes.holes.size())) << what << " level " << level;
    }
}

TEST(AnalyseSystem, MatchesAllPairsOnRandomSystemsAndOutcomes) {
    const RandomCase cases[] = {
        {"sparse outcomes, far lines", 40, 300, 4096, 6},
        {"sparse outcomes, near lines", 300, 500, 4096, 2},
        {"dense first halves, near lines", 200, 3000, 6, 3},
        {"dense first halves, few lines", 3, 2000, 3, 6},
        {"many lines", 2000, 1500, 20, 4},
    };
    std::mt19937 rng(11);
    for (const RandomCase& c : cases) {
        std::vector<std::uint32_t> system;
        for (int i = 0; i < c.lines; ++i) system.push_back(rng() % CombinationCount);
        std::vector<std::uint32_t> halves;
        for (int i = 0; i < c.firstHalves; ++i) halves.push_back(rng() % HalfCount);
        std::vector<std::uint32_t> outcomes;
        for (int i = 0; i < c.outcomes; ++i) {
            const std::uint32_t base = Near(rng, system[rng() % system.size()], c.changes);
            outcomes.push_back((halves[rng() % halves.size()] << 12) | (base & 4095u));
        }
        ExpectSameAsAllPairs(LinesOf(system), outcomes, c.name);
    }
}

TEST(AnalyseSystem, EdgeSystemsAndOutcomeSets) {
    std::mt19937 rng(5);
    std::vector<std::uint32_t> some;
    for (int i = 0; i < 400; ++i) some.push_back(rng() % CombinationCount);
    const std::vector<AnalysisLine> lines = LinesOf(some);

    ExpectSameAsAllPairs({}, some, "empty system");
    ExpectSameAsAllPairs({lines[0]}, some, "one line");
    ExpectSameAsAllPairs(lines, some, "outcomes are the lines");

    const SystemAnalysis empty = AnalyseSystem({}, OutcomeSource::FromList(some));
    EXPECT_EQ(empty.byBest[0], 400);
    EXPECT_EQ(empty.guarantee, 0);
    const SystemAnalysis same = AnalyseSystem(lines, OutcomeSource::FromList(some));
    EXPECT_EQ(same.Best(6), 400);
    EXPECT_EQ(same.guarantee, 6);
    EXPECT_TRUE(same.Holes(6).empty());
    const SystemAnalysis none = AnalyseSystem(lines, OutcomeSource::FromList({}));
    EXPECT_EQ(none.outcomes, 0);
    EXPECT_EQ(none.guarantee, 0);
}

TEST(AnalyseSystem, RepeatedOutcomeCountsOnce) {
    const SystemAnalysis a = AnalyseSystem(LinesOf({5}), OutcomeSource::FromList({7, 7, 5, 7}));
    EXPECT_EQ(a.outcomes, 2);
    EXPECT_EQ(a.Best(6), 1);
    EXPECT_EQ(a.Best(5), 1);
    EXPECT_EQ(a.Holes(6), std::vector<std::uint32_t>{7});
}

// Against all 16,777,216 outcomes one line has C(6, k) * 15^(6 - k) outcomes of best k.
TEST(AnalyseSystem, OneLineAgainstEveryCombinationGivesTheBinomialCounts) {
    const SystemAnalysis a = AnalyseSystem(LinesOf({0x123456}), OutcomeSource::Everything());
    const std::array<std::int64_t, 7> expected = {11390625, 4556250, 759375, 67500, 3375, 90, 1};
    EXPECT_EQ(a.byBest, expected);
    EXPECT_EQ(a.outcomes, CombinationCount);
    EXPECT_EQ(a.guarantee, 0);
    EXPECT_EQ(a.HoleCount(5), CombinationCount - 91);
}

// Every first half of the whole space, answered with sets, against the line-by-line count.
TEST(SystemCoverage, WholeFirstHalvesMatchAllPairs) {
    std::mt19937 rng(3);
    HalfSet all;
    all.Fill();
    for (int lineCount : {1, 30, 700}) {
        std::vector<std::uint32_t> system;
        for (int i = 0; i < lineCount; ++i) system.push_back(rng() % CombinationCount);
        const std::vector<AnalysisLine> lines = LinesOf(system);
        const SystemCoverage coverage(lines);
        // The first halves of some lines, so the top levels are met, and random ones.
        std::vector<int> firsts = {static_cast<int>(system[0] >> 12), static_cast<int>(rng() % HalfCount), 0, 4095};
        for (int first : firsts) {
            for (int holeLevel : {3, 5}) {
                std::array<std::int64_t, 7> byBest{};
                std::vector<std::uint32_t> holes;
                coverage.CountFirstHalf(first, all, byBest, &holes, holeLevel);
                std::vector<std::uint32_t> outcomes;
                for (std::uint32_t s = 0; s < HalfCount; ++s) outcomes.push_back(static_cast<std::uint32_t>(first) << 12 | s);
                const reference::AllPairsAnalysis slow = reference::AnalyseAllPairs(lines, outcomes, holeLevel);
                EXPECT_EQ(byBest, slow.byBest) << lineCount << " lines, first half " << first;
                EXPECT_EQ(holes, slow.holes) << lineCount << " lines, first half " << first << " level " << holeLevel;
            }
        }
    }
}

// The passing Combinations of filters, all of them, streamed: the same figures as the list of them.
TEST(AnalyseSystem, PassingSourceCountsEveryPassingCombination) {
    const FilterSettings settings = bench::NarrowScenario();
    std::vector<std::uint32_t> passing;
    ForEachPassingSet(settings, [&](int first, const HalfSet& seconds) {
        for (int h = 0; h < HalfCount; ++h)
            if (seconds.Test(h)) passing.push_back(static_cast<std::uint32_t>(first) << 12 | static_cast<std::uint32_t>(h));
        return true;
    });
    ASSERT_FALSE(passing.empty());
    std::vector<std::uint32_t> system;
    for (std::size_t i = 0; i < passing.size(); i += 97) system.push_back(passing[i]);
    const std::vector<AnalysisLine> lines = LinesOf(system);
    const SystemAnalysis streamed = AnalyseSystem(lines, OutcomeSource::Passing(settings));
    const reference::AllPairsAnalysis slow = reference::AnalyseAllPairs(lines, passing, 4);
    EXPECT_EQ(streamed.outcomes, static_cast<std::int64_t>(passing.size()));
    EXPECT_EQ(streamed.byBest, slow.byBest);
    EXPECT_EQ(streamed.Holes(4), slow.holes);

    FilterSettings refused = settings;
    refused.TypeMarks[1] = {NotAllowed, NotAllowed, NotAllowed};
    const SystemAnalysis a = AnalyseSystem(lines, OutcomeSource::Passing(refused));
    EXPECT_EQ(a.message, ValidateFilterSettings(refused));
    EXPECT_FALSE(a.message.empty());
    EXPECT_FALSE(a.ok());
}

TEST(AnalyseSystem, ReducedSystemGuaranteesItsLevelOnItsCandidates) {
    auto candidates = std::make_unique<CandidateStore>();
    auto store = std::make_unique<SystemStore>();
    const std::int32_t count = std::min(FilterRun(bench::AllBasicScenario(), *candidates).CandidateCount, StoreCapacity);
    std::vector<std::uint32_t> outcomes;
    for (std::int32_t k = 1; k <= count; ++k) outcomes.push_back(CanonicalIndex(candidates->At(k)));
    for (int level : {5, 4, 3}) {
        std::int32_t systemCount = 0;
        const SystemLinesRead read = ReadAnalysisLines(GuaranteeSystem(*candidates, count, level, *store, systemCount));
        ASSERT_TRUE(read.ok);
        const SystemAnalysis a = AnalyseSystem(read.lines, OutcomeSource::FromList(outcomes));
        EXPECT_EQ(a.lines, systemCount);
        EXPECT_EQ(a.outcomes, count);
        EXPECT_GE(a.guarantee, level) << "gw " << level;
        EXPECT_EQ(a.HoleCount(level), 0);
        // The members themselves score six.
        EXPECT_GE(a.Best(6), systemCount);
    }
}

TEST(ReadAnalysisLines, ReadsAsTheResultCheckDoes) {
    // A digit 4..9 is read but never agrees: the line below matches 0-0 at Positions 2..6 only.
    const SystemLinesRead read = ReadAnalysisLines({"4-0  0-0  0-0  0-0  0-0  0-0  ", "0-0  0-0  0-0  0-0  0-0  0-1"});
    ASSERT_TRUE(read.ok);
    const SystemAnalysis a = AnalyseSystem({read.lines[0]}, OutcomeSource::FromList({0}));
    EXPECT_EQ(a.Best(5), 1);

    // A line without a digit at a place: the result check's own message, and no lines.
    const std::vector<std::vector<std::string>> bad = {
        {"0-0  0-0  0-0  0-0  0-0  0-0  ", "0-0  0-0  0-0  0-0  0-0  0-"},
        {"0-0  x-0  0-0  0-0  0-0  0-0  "},
        {""},
    };
    for (const auto& list : bad) {
        const SystemLinesRead r = ReadAnalysisLines(list);
        const ResultCheck check = CheckResults({"0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0"}, list);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.error, check.message);
        EXPECT_EQ(r.badLine, static_cast<std::int32_t>(list.size()));
        EXPECT_TRUE(r.lines.empty());
    }
}

TEST(ReadOutcomeLines, AcceptsOnlyCombinations) {
    const OutcomesRead good = ReadOutcomeLines({"0-0  0-0  0-0  0-0  0-0  0-1  ", "3-3  3-3  3-3  3-3  3-3  3-3"});
    ASSERT_TRUE(good.ok);
    EXPECT_EQ(good.canonical, (std::vector<std::uint32_t>{1, CombinationCount - 1}));
    for (const std::string line : {"0-0  0-0  0-0  0-0  0-0  0-4  ", "0-0  0-0", ""}) {
        const OutcomesRead r = ReadOutcomeLines({"0-0  0-0  0-0  0-0  0-0  0-1  ", line});
        EXPECT_FALSE(r.ok) << line;
        EXPECT_EQ(r.error.rfind("line 2: ", 0), 0u) << r.error;
        EXPECT_TRUE(r.canonical.empty());
    }
}

TEST(AnalyseSystem, StopFlagEndsTheWorkAndMarksItPartial) {
    std::atomic<bool> stop{false};
    int progress = 0;
    AnalysisControl control;
    control.stop = &stop;
    control.progress = [&](int done) {
        progress = done;
        if (done == 100) stop = true;
    };
    const SystemAnalysis a = AnalyseSystem(LinesOf({1, 2, 3}), OutcomeSource::Everything(), control);
    EXPECT_TRUE(a.stopped);
    EXPECT_FALSE(a.ok());
    EXPECT_EQ(progress, 100);
    EXPECT_TRUE(a.Holes(3).empty());
}

}  // namespace
}  // namespace kombinator

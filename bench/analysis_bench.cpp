// analyse-*: the system analysis (best hit count of every outcome) with the coverage bitmaps
// against the straightforward comparison of every outcome with every line.
#include <cstdio>
#include <memory>
#include <algorithm>
#include <random>

#include "bench_util.h"
#include "engine/filter_run.h"
#include "generator/system_analysis.h"
#include "reference/system_analysis.h"
#include "scenarios.h"

namespace {

using namespace kombinator;

std::vector<std::uint32_t> RandomCombinations(std::mt19937& rng, int n) {
    std::vector<std::uint32_t> v;
    for (int i = 0; i < n; ++i) v.push_back(rng() % static_cast<std::uint32_t>(CombinationCount));
    return v;
}

std::vector<AnalysisLine> LinesOf(const std::vector<std::uint32_t>& canonical) {
    std::vector<AnalysisLine> lines;
    for (std::uint32_t c : canonical) lines.push_back(AnalysisLineOf(CombinationFromCanonical(c)));
    return lines;
}

void CheckSame(const char* name, const SystemAnalysis& fast, const reference::AllPairsAnalysis& slow) {
    if (fast.byBest != slow.byBest || fast.guarantee != slow.guarantee)
        std::printf("%s MISMATCH fast guarantee=%d reference guarantee=%d\n", name, fast.guarantee, slow.guarantee);
}

// A list of outcomes: the reference compares all of them with every line.
void CompareOnList(const char* name, const std::vector<AnalysisLine>& lines, std::vector<std::uint32_t> outcomes) {
    std::sort(outcomes.begin(), outcomes.end());
    outcomes.erase(std::unique(outcomes.begin(), outcomes.end()), outcomes.end());
    const OutcomeSource source = OutcomeSource::FromList(outcomes);
    reference::AllPairsAnalysis slow;
    SystemAnalysis fast;
    bench::Compare(
        name, [&] { slow = reference::AnalyseAllPairs(lines, outcomes, 0); }, [&] { fast = AnalyseSystem(lines, source); },
        1, 15);
    CheckSame(name, fast, slow);
}

}  // namespace

void RunAnalysisBenchmarks() {
    std::mt19937 rng(2026);
    auto candidates = std::make_unique<CandidateStore>();
    const std::int32_t count = std::min(FilterRun(bench::AllBasicScenario(), *candidates).CandidateCount, StoreCapacity);
    std::vector<std::uint32_t> candidateList;
    for (std::int32_t k = 1; k <= count; ++k) candidateList.push_back(CanonicalIndex(candidates->At(k)));
    const std::vector<AnalysisLine> system30000 = LinesOf(RandomCombinations(rng, 30000));

    // 30,000 outcomes against a 30,000-line system: the candidates of a wide profile (dense first
    // halves), then Combinations spread over the whole space.
    CompareOnList("analyse-30000-candidates-x30000", system30000, candidateList);
    CompareOnList("analyse-30000-random-x30000", system30000, RandomCombinations(rng, 30000));

    // All 16,777,216 outcomes against 2,000 lines. The reference would take minutes, so it runs on
    // every 1,024th Combination and its time is scaled by 1,024; the fast analysis of those same
    // outcomes is checked against it.
    const std::vector<AnalysisLine> system2000 = LinesOf(RandomCombinations(rng, 2000));
    constexpr std::uint32_t Stride = 1024;
    std::vector<std::uint32_t> sample;
    for (std::uint32_t c = 517; c < static_cast<std::uint32_t>(CombinationCount); c += Stride) sample.push_back(c);
    reference::AllPairsAnalysis slow;
    const double sampledMs = bench::MedianMs([&] { slow = reference::AnalyseAllPairs(system2000, sample, 0); }, 1);
    CheckSame("analyse-all-x2000 (sample)", AnalyseSystem(system2000, OutcomeSource::FromList(sample)), slow);
    SystemAnalysis all;
    const double fastMs = bench::MedianMs([&] { all = AnalyseSystem(system2000, OutcomeSource::Everything()); }, 7);
    bench::Report("analyse-all-x2000 (reference sampled 1/1024, scaled)", sampledMs * Stride, fastMs);
    if (all.outcomes != CombinationCount) std::printf("analyse-all-x2000 MISMATCH outcomes=%lld\n", static_cast<long long>(all.outcomes));
}

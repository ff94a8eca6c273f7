// reduce-5, reduce-4, reduce-3: the guarantee reduction of 30,000 candidates, the coverage
// bitmaps against the straightforward greedy scan.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

#include "engine/filter_run.h"
#include "generator/guarantee_reduction.h"
#include "reference/reduction.h"

namespace {

using namespace kombinator;

// The median of several timed runs, in milliseconds.
template <typename F>
double MedianMs(int runs, F&& f) {
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        f();
        ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

}  // namespace

void RunReductionBenchmarks() {
    // Every sign basic in every Position with the start-up goal ranges: far more than 30,000
    // pass, so the store holds the first 30,000 in canonical order.
    FilterSettings wide;
    for (int p = 1; p <= 6; ++p) wide.TypeMarks[p] = {BasicType, BasicType, BasicType};
    auto candidates = std::make_unique<CandidateStore>();
    auto system = std::make_unique<SystemStore>();
    const FilterRunResult run = FilterRun(wide, *candidates);
    const std::int32_t count = std::min(run.CandidateCount, StoreCapacity);
    for (int level = 5; level >= 3; --level) {
        std::int32_t members = 0;
        const double reference = MedianMs(3, [&] { members = reference::GuaranteeReduction(*candidates, count, level, *system); });
        std::int32_t fastMembers = 0;
        const double fast = MedianMs(15, [&] { fastMembers = GuaranteeReduction(*candidates, count, level, *system); });
        if (fastMembers != members) std::printf("reduce-%d MISMATCH fast=%d reference=%d\n", level, fastMembers, members);
        std::printf("reduce-%d reference_ms=%.2f fast_ms=%.3f ratio=%.1f\n", level, reference, fast, reference / fast);
    }
}

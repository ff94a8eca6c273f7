// reduce-5, reduce-4, reduce-3: the guarantee reduction of 30,000 candidates, the coverage
// bitmaps against the straightforward greedy scan.
#include <cstdio>
#include <memory>

#include "bench_util.h"
#include "engine/filter_run.h"
#include "generator/guarantee_reduction.h"
#include "reference/reduction.h"
#include "scenarios.h"

void RunReductionBenchmarks() {
    using namespace kombinator;
    // A wide profile: far more than 30,000 pass, so the store holds the first 30,000 in canonical order.
    auto candidates = std::make_unique<CandidateStore>();
    auto system = std::make_unique<SystemStore>();
    const std::int32_t count = std::min(FilterRun(bench::AllBasicScenario(), *candidates).CandidateCount, StoreCapacity);
    const char* names[] = {"reduce-5", "reduce-4", "reduce-3"};
    for (int level = 5; level >= 3; --level) {
        std::int32_t referenceMembers = 0, fastMembers = 0;
        bench::Compare(
            names[5 - level],
            [&] { referenceMembers = reference::GuaranteeReduction(*candidates, count, level, *system); },
            [&] { fastMembers = GuaranteeReduction(*candidates, count, level, *system); });
        if (fastMembers != referenceMembers)
            std::printf("%s MISMATCH fast=%d reference=%d\n", names[5 - level], fastMembers, referenceMembers);
    }
}

// The FilterRun on the benchmark scenarios, fast against the literal chain.
#include <cstdio>
#include <memory>

#include "bench_util.h"
#include "engine/filter_run.h"
#include "reference/filter_chain.h"
#include "scenarios.h"

void RunEngineBenchmarks() {
    using namespace kombinator;
    auto store = std::make_unique<CandidateStore>();
    for (const bench::Scenario& scenario : bench::EngineScenarios()) {
        const FilterRunResult fast = FilterRun(scenario.settings, *store);
        const FilterRunResult slow = reference::FilterRunReference(scenario.settings, *store);
        if (fast.CandidateCount != slow.CandidateCount || fast.message != slow.message) {
            std::printf("%s MISMATCH fast=%d reference=%d\n", scenario.name, fast.CandidateCount, slow.CandidateCount);
            continue;
        }
        bench::Compare(
            scenario.name, [&] { reference::FilterRunReference(scenario.settings, *store); },
            [&] { FilterRun(scenario.settings, *store); });
    }
}

// funnel-*: the filter funnel on the benchmark scenarios against the literal chain that
// records the first rejecting step of every Combination.
#include <cstdio>
#include <string>

#include "bench_util.h"
#include "engine/filter_funnel.h"
#include "reference/filter_chain.h"
#include "scenarios.h"

void RunFunnelBenchmarks() {
    using namespace kombinator;
    for (const bench::Scenario& scenario : bench::EngineScenarios()) {
        const FilterFunnelResult fast = FilterFunnel(scenario.settings);
        const auto slow = reference::FunnelReference(scenario.settings);
        bool same = fast.valid() && fast.passed == slow[14];
        for (const FunnelStep& step : fast.steps) same = same && step.rejected == slow[static_cast<int>(step.step)];
        const std::string name = std::string("funnel-") + scenario.name;
        if (!same) {
            std::printf("%s MISMATCH fast=%d reference=%d\n", name.c_str(), fast.passed, slow[14]);
            continue;
        }
        bench::Compare(
            name.c_str(), [&] { reference::FunnelReference(scenario.settings); },
            [&] { FilterFunnel(scenario.settings); });
    }
}

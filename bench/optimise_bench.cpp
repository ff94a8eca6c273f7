// optimise-PROFILE-L: the optimised guarantee systems of the benchmark profiles against the documented
// reduction and the plain max-coverage greedy, each system's guarantee checked again from scratch.
// KOMBINATOR_OPTIMISE_SECONDS sets the time limit of each run (20 s unless set).
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "bench_util.h"
#include "engine/filter_run.h"
#include "filters/filter_profile.h"
#include "generator/coverage_bitmaps.h"
#include "generator/guarantee_optimiser.h"
#include "generator/guarantee_reduction.h"

namespace {

using namespace kombinator;

bool Guarantees(const std::vector<std::uint32_t>& candidates, const std::vector<std::uint32_t>& system, int level) {
    CoverageBitmaps coverage(level);
    for (const std::uint32_t c : system) coverage.Add(c);
    for (const std::uint32_t c : candidates)
        if (!coverage.Covers(c)) return false;
    return true;
}

}  // namespace

void RunOptimiseBenchmarks() {
    const char* limit = std::getenv("KOMBINATOR_OPTIMISE_SECONDS");
    const double seconds = limit ? std::atof(limit) : 20.0;
    auto store = std::make_unique<CandidateStore>();
    auto system = std::make_unique<SystemStore>();
    for (const char* name : {"s6", "q3", "q4", "q5"}) {
        const ProfileReadResult profile = ReadFilterProfileFile(std::string(KOMBINATOR_BENCH_PROFILES) + "/" + name + ".kfp");
        if (!profile.ok) {
            std::printf("optimise-%s unreadable profile: %s\n", name, profile.error.c_str());
            continue;
        }
        const std::int32_t count = FilterRun(profile.settings, *store).CandidateCount;
        std::vector<std::uint32_t> candidates;
        for (std::int32_t k = 1; k <= count; ++k) candidates.push_back(CanonicalIndex(store->At(k)));
        for (int level = 5; level >= 3; --level) {
            const std::int32_t documented = GuaranteeReduction(*store, count, level, *system);
            const std::size_t greedy = MaxCoverageGreedy(candidates, level).size();
            const auto start = std::chrono::steady_clock::now();
            OptimiseBudget budget;
            budget.seconds = seconds;
            const std::vector<std::uint32_t> optimised = OptimiseGuaranteeSystem(candidates, level, budget, 1);
            const double used = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            std::printf("optimise-%s-%d candidates=%d documented=%d greedy=%zu optimised=%zu seconds=%.1f%s\n", name,
                        level, count, documented, greedy, optimised.size(), used,
                        Guarantees(candidates, optimised, level) ? "" : " INVALID");
            std::fflush(stdout);
        }
    }
}

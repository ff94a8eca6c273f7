#include "cli/profile_candidates.h"

#include "cli/cli_common.h"
#include "engine/filter_run.h"

namespace kombinator::cli {

int CandidatesFromProfile(const std::string& profilePath, CandidateStore& store, std::int32_t& candidateCount) {
    FilterSettings settings;
    if (!LoadProfile(profilePath, settings)) return ExitBadInput;
    const FilterRunResult run = FilterRun(settings, store);
    if (!run.valid()) {
        PrintError(run.message);
        return ExitRefused;
    }
    candidateCount = run.CandidateCount;
    if (candidateCount < 1 || candidateCount > StoreCapacity) {
        PrintError("CandidateCount: " + std::to_string(candidateCount) + " is outside 1.." +
                   std::to_string(StoreCapacity) + ": no system can be made");
        return ExitNoSystem;
    }
    return ExitOk;
}

}  // namespace kombinator::cli

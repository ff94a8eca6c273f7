#include "cli/profile_candidates.h"

#include <cstdio>

#include "engine/filter_run.h"
#include "filters/filter_profile.h"

namespace kombinator::cli {

int CandidatesFromProfile(const std::string& profilePath, CandidateStore& store, std::int32_t& candidateCount) {
    const ProfileReadResult profile = ReadFilterProfileFile(profilePath);
    if (!profile.ok) {
        std::fprintf(stderr, "%s\n", profile.error.c_str());
        return 2;
    }
    const FilterRunResult run = FilterRun(profile.settings, store);
    if (!run.valid()) {
        std::fprintf(stderr, "%s\n", run.message.c_str());
        return 3;
    }
    candidateCount = run.CandidateCount;
    if (candidateCount < 1 || candidateCount > StoreCapacity) {
        std::fprintf(stderr, "CandidateCount: %d is outside 1..%d: no system can be made\n", candidateCount,
                     StoreCapacity);
        return 4;
    }
    return 0;
}

}  // namespace kombinator::cli

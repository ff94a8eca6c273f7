#include "reference/reduction.h"

namespace kombinator::reference {

std::int32_t GuaranteeReduction(const CandidateStore& candidates, std::int32_t candidateCount, int level,
                                SystemStore& system) {
    std::int32_t systemCount = 1;
    system.Set(1, candidates.At(1));
    if (candidateCount < 2) return systemCount;
    for (std::int32_t i = 1; i <= candidateCount; ++i) {
        const Combination candidate = candidates.At(i);
        bool covered = false;
        for (std::int32_t k = 1; k <= systemCount && !covered; ++k)
            covered = AgreeCount(candidate, system.At(k)) >= level;
        if (!covered) system.Set(++systemCount, candidate);
    }
    return systemCount;
}

}  // namespace kombinator::reference

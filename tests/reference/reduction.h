#pragma once
// The straightforward greedy scan of the guarantee reduction: each candidate against every member.

#include <cstdint>

#include "model/stores.h"

namespace kombinator::reference {

std::int32_t GuaranteeReduction(const CandidateStore& candidates, std::int32_t candidateCount, int level,
                                SystemStore& system);

}  // namespace kombinator::reference

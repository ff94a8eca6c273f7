#pragma once
// The FilterRun as twelve nested loops with the predicates one after another, written
// independently of the engine so the fast run can be checked against it.

#include <array>
#include <cstdint>

#include "engine/filter_run.h"

namespace kombinator::reference {

std::string ValidateFilterSettingsReference(const FilterSettings& settings);
FilterRunResult FilterRunReference(const FilterSettings& settings, CandidateStore& store);

// The literal chain on one Combination (the settings assumed valid): -1 when it passes,
// otherwise the number of the rejecting step in the chain's order, 0 (type grid) to 13 (Block D).
int ChainVerdictReference(const FilterSettings& settings, const Combination& c);

// The literal chain over all Combinations: entries 0..13 the Combinations each step rejects
// (in the chain's order, as ChainVerdictReference numbers them), entry 14 those that pass.
std::array<std::int32_t, 15> FunnelReference(const FilterSettings& settings);

// Whether one Combination passes every family in force (the settings assumed valid), built from
// the families' own predicates one after another.
bool ChainPasses(const FilterSettings& settings, const Combination& c);

}  // namespace kombinator::reference

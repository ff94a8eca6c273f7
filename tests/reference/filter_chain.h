#pragma once
// The FilterRun as twelve nested loops with the predicates one after another, written
// independently of the engine so the fast run can be checked against it.

#include "engine/filter_run.h"

namespace kombinator::reference {

std::string ValidateFilterSettingsReference(const FilterSettings& settings);
FilterRunResult FilterRunReference(const FilterSettings& settings, CandidateStore& store);

}  // namespace kombinator::reference

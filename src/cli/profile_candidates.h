#pragma once
// The FilterRun of a profile file, for the commands that turn its candidates into a system.

#include <cstdint>
#include <string>

#include "model/stores.h"

namespace kombinator::cli {

// Reads the profile and runs the FilterRun into `store`. Returns 0 with 1..30,000 candidates in
// `candidateCount`; otherwise reports on standard error and returns the exit code.
int CandidatesFromProfile(const std::string& profilePath, CandidateStore& store, std::int32_t& candidateCount);

}  // namespace kombinator::cli

#pragma once
// The FilterRun: validate the active families, enumerate all 16,777,216 Combinations,
// count the passing ones and keep the first 30,000 in canonical order.

#include <cstdint>
#include <string>

#include "engine/filter_settings.h"
#include "engine/stores.h"

namespace kombinator {

struct FilterRunResult {
    std::int32_t CandidateCount = 0;
    // Empty when the settings are valid; otherwise the first failing check's message (UTF-8)
    // and CandidateCount 0.
    std::string message;
    bool valid() const { return message.empty(); }
};

// The first failing validation check's message, or an empty string when every check passes.
std::string ValidateFilterSettings(const FilterSettings& settings);

// Whether one Combination passes every family in force (the settings assumed valid).
bool ChainPasses(const FilterSettings& settings, const Combination& c);

// Runs the whole FilterRun: validation, then enumeration into the store.
FilterRunResult FilterRun(const FilterSettings& settings, CandidateStore& store);

}  // namespace kombinator

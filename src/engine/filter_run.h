#pragma once
// The FilterRun: validate the active families, enumerate all 16,777,216 Combinations,
// count the passing ones and keep the first 30,000 in canonical order.

#include <cstdint>
#include <functional>
#include <string>

#include "model/filter_settings.h"
#include "model/half_set.h"
#include "model/stores.h"

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

// Receives the passing Combinations of one first half (Positions 1-3, a 12-bit half) as the set of
// their second halves, never empty; returns false to stop the stream.
using PassingSetVisitor = std::function<bool(int first, const HalfSet& seconds)>;

// Every Combination that passes, not only the first 30,000: the first halves in increasing order,
// so the Combinations arrive in canonical order. Stores nothing. Returns the validation message,
// empty when the settings are valid (nothing is visited otherwise).
std::string ForEachPassingSet(const FilterSettings& settings, const PassingSetVisitor& visit);

// Runs the whole FilterRun: validation, then enumeration into the store.
FilterRunResult FilterRun(const FilterSettings& settings, CandidateStore& store);

}  // namespace kombinator

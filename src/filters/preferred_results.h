#pragma once
// Preferred results: up to three alternative sets of scores; a Combination passes when it
// holds every score of at least one set.

#include <array>
#include <string_view>

#include "model/combination.h"
#include "model/filter_settings.h"

namespace kombinator {

inline constexpr std::string_view PreferredMessage = "Panel - Preferencje: Nie ustalone preferowane wyniki !";

// Only set 1 must be filled; sets 2 and 3 may stay empty.
std::string_view ValidatePreferredResults(const FilterSettings& settings);

// Every ticked score of the set stands in some Position (an empty set is met).
bool PreferredSetMet(const std::array<Flag, 16>& set, const Combination& c);
bool PreferredSetEmpty(const std::array<Flag, 16>& set);

// Set 1 met, or a non-empty set 2 met, or a non-empty set 3 met.
bool PreferredResultsPass(const FilterSettings& settings, const Combination& c);

}  // namespace kombinator

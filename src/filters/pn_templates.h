#pragma once
// P-N templates: how many goal counts are even (0, 2) overall, among the home goals and
// among the away goals.

#include <string_view>

#include "model/combination.h"
#include "model/filter_settings.h"

namespace kombinator {

inline constexpr std::string_view PnMessage = "Panel - Wyniki i bramki: Nie ustalone szablony P - N !";

std::string_view ValidatePnTemplates(const FilterSettings& settings);

// evenHome, evenAway: the numbers of Positions with an even home / away goal count.
bool PnPass(const FilterSettings& settings, int evenHome, int evenAway);
bool PnPass(const FilterSettings& settings, const Combination& c);

}  // namespace kombinator

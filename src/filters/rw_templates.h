#pragma once
// RW templates: for each score, whether it may stand once, twice in neighbouring Positions
// or twice apart; three or more times never passes.

#include <string_view>

#include "model/combination.h"
#include "model/filter_settings.h"

namespace kombinator {

inline constexpr std::string_view RwMessage =
    "Panel - Preferencje: Szablony RW - z zaznaczonych wyników nie zbudujesz ani jednej kombinacji !";

// Positions the ticked boxes could fill: 2 per pair box, 1 per single box.
int RwWeight(const FilterSettings& settings);
std::string_view ValidateRwTemplates(const FilterSettings& settings);

bool RwAllowed(const FilterSettings& settings, int scoreIndex, RwPattern pattern);
bool RwTemplatesPass(const FilterSettings& settings, const Combination& c);

}  // namespace kombinator

#pragma once
// Block G (Positions 1-3) and Block D (Positions 4-6): allowed sign templates of the block
// and bounds on its total, home and away goals.

#include <array>
#include <string_view>

#include "model/combination.h"
#include "model/filter_settings.h"

namespace kombinator {

inline constexpr std::string_view BlockGMessage =
    "Panel - Preferencje: Blok G ( poz 1-3 ) - nie ustalone szablony jedynek zer i dwójek !";
inline constexpr std::string_view BlockDMessage =
    "Panel - Preferencje: Blok D ( poz 4-6 ) - nie ustalone szablony jedynek zer i dwójek !";

std::string_view ValidateBlockG(const FilterSettings& settings);
std::string_view ValidateBlockD(const FilterSettings& settings);

// Three Positions starting at firstPosition (1 or 4): signs[4 x ones + draws] must be set, then
// range = TotalFrom, TotalTo, HomeFrom, HomeTo, AwayFrom, AwayTo must hold the goal sums.
bool BlockPass(const std::array<Flag, 16>& signs, const std::array<std::uint8_t, 6>& range, const Combination& c,
               int firstPosition);

bool BlockGPass(const FilterSettings& settings, const Combination& c);
bool BlockDPass(const FilterSettings& settings, const Combination& c);

}  // namespace kombinator

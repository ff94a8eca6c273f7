#pragma once
// Home and away block goal counts: in how many Positions each goal number 0..3 may stand.

#include <array>
#include <string_view>

#include "model/combination.h"
#include "model/filter_settings.h"

namespace kombinator {

inline constexpr std::string_view HomeBlockMessage =
    "Panel - Warunki blokowe: Blok gospodarzy - Nie ustalona liczba bramek we wszystkich blokach !";
inline constexpr std::string_view AwayBlockMessage =
    "Panel - Warunki blokowe: Blok przyjezdnych - Nie ustalona liczba bramek we wszystkich blokach !";

// Home block first; every row of a block in force needs a tick.
std::string_view ValidateHomeBlock(const FilterSettings& settings);
std::string_view ValidateAwayBlock(const FilterSettings& settings);

// counts[g]: the Positions holding goal number g (the four add up to 6). Six of one number
// never passes; otherwise table[6 g + counts[g]] must be set for every g.
bool BlockCountsPass(const std::array<Flag, 24>& table, const std::array<int, 4>& counts);

bool HomeBlockPass(const FilterSettings& settings, const Combination& c);
bool AwayBlockPass(const FilterSettings& settings, const Combination& c);

}  // namespace kombinator

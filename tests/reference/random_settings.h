#pragma once
// Seeded random filter settings for comparing the fast engine with the literal chain: each
// family on or off, its tables empty (so validation may fail), full or ticked at some density.

#include <cstdint>

#include "model/filter_settings.h"

namespace kombinator::reference {

// everyFamily: every switchable family in force and every Position's result filter on.
FilterSettings RandomSettings(std::uint32_t seed, bool everyFamily = false);

}  // namespace kombinator::reference

#pragma once
// The filter settings the engine benchmark runs; examples/ holds the same settings as
// filter profiles (all-basic.kfp, every-family.kfp, narrow.kfp).

#include <vector>

#include "model/filter_settings.h"

namespace kombinator::bench {

struct Scenario {
    const char* name;
    FilterSettings settings;
};

// Every type cell basic, every other family off, start-up goal ranges.
FilterSettings AllBasicScenario();
// Every family in force with (nearly) every box ticked, so most Combinations reach the end of the chain.
FilterSettings EveryFamilyScenario();
// A realistic profile: two signs per Position, RI and RJ, a few result filters, a preferred set, Block G.
FilterSettings NarrowScenario();

std::vector<Scenario> EngineScenarios();

}  // namespace kombinator::bench

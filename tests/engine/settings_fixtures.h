#pragma once
// Small builders for FilterSettings used by the engine and family tests.

#include "model/combination.h"
#include "model/filter_settings.h"

namespace kombinator::testing {

// Every sign of every Position a basic type, goal ranges as given.
inline FilterSettings AllBasic(int from = 0, int to = 36) {
    FilterSettings s;
    for (int p = 1; p <= 6; ++p) s.TypeMarks[p] = {BasicType, BasicType, BasicType};
    s.TotalGoalsFrom = s.HomeGoalsFrom = s.AwayGoalsFrom = static_cast<std::uint8_t>(from);
    s.TotalGoalsTo = s.HomeGoalsTo = s.AwayGoalsTo = static_cast<std::uint8_t>(to);
    return s;
}

// "h-a h-a ..." for Positions 1..6 written as six two-digit numbers, e.g. {10, 11, 0, 22, 33, 1}.
inline Combination Scores(std::initializer_list<int> homeAway) {
    Combination c;
    int p = 0;
    for (int ha : homeAway) {
        c.scores[p++] = MatchScore{static_cast<std::uint8_t>(ha / 10), static_cast<std::uint8_t>(ha % 10)};
    }
    return c;
}

}  // namespace kombinator::testing

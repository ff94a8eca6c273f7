#pragma once
// Results per position (the scores each Position may take) and the goal ranges
// (bounds on the sums of home, away and all goals).

#include <string_view>

#include "model/combination.h"
#include "model/filter_settings.h"

namespace kombinator {

// "Panel - Wyniki i bramki: Pozycja p - nie ustalone wyniki !" for Position p (1..6).
std::string_view ScoreFilterMessage(int position);

// The first Position whose filter is on with no score ticked gives its message.
std::string_view ValidateScoreFilters(const FilterSettings& settings);

// Always in force: homeSum in the home range, awaySum in the away range, their total in the total range.
bool GoalRangesPass(const FilterSettings& settings, int homeSum, int awaySum);
bool GoalRangesPass(const FilterSettings& settings, const Combination& c);

// Position p's filter, when it is on, must allow its score.
bool PositionScorePass(const FilterSettings& settings, int position, MatchScore score);
bool ScoresPass(const FilterSettings& settings, const Combination& c);

}  // namespace kombinator

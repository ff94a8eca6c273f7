#include "filters/results_goal_ranges.h"

namespace kombinator {

namespace {
constexpr std::string_view ScoreFilterMessages[7] = {
    {},
    "Panel - Wyniki i bramki: Pozycja 1 - nie ustalone wyniki !",
    "Panel - Wyniki i bramki: Pozycja 2 - nie ustalone wyniki !",
    "Panel - Wyniki i bramki: Pozycja 3 - nie ustalone wyniki !",
    "Panel - Wyniki i bramki: Pozycja 4 - nie ustalone wyniki !",
    "Panel - Wyniki i bramki: Pozycja 5 - nie ustalone wyniki !",
    "Panel - Wyniki i bramki: Pozycja 6 - nie ustalone wyniki !",
};
}  // namespace

std::string_view ScoreFilterMessage(int position) { return ScoreFilterMessages[position]; }

std::string_view ValidateScoreFilters(const FilterSettings& settings) {
    for (int p = 1; p <= 6; ++p) {
        if (!settings.ScoreFilterActive[p]) continue;
        bool any = false;
        for (Flag f : settings.ScoreAllowed[p]) any = any || f;
        if (!any) return ScoreFilterMessages[p];
    }
    return {};
}

bool GoalRangesPass(const FilterSettings& settings, int homeSum, int awaySum) {
    if (homeSum < settings.HomeGoalsFrom || homeSum > settings.HomeGoalsTo) return false;
    if (awaySum < settings.AwayGoalsFrom || awaySum > settings.AwayGoalsTo) return false;
    const int total = homeSum + awaySum;
    return total >= settings.TotalGoalsFrom && total <= settings.TotalGoalsTo;
}

bool GoalRangesPass(const FilterSettings& settings, const Combination& c) {
    int home = 0, away = 0;
    for (const MatchScore& s : c.scores) {
        home += s.home;
        away += s.away;
    }
    return GoalRangesPass(settings, home, away);
}

bool PositionScorePass(const FilterSettings& settings, int position, MatchScore score) {
    return !settings.ScoreFilterActive[position] || settings.ScoreAllowed[position][ScoreIndex(score)];
}

bool ScoresPass(const FilterSettings& settings, const Combination& c) {
    for (int p = 1; p <= 6; ++p)
        if (!PositionScorePass(settings, p, c.at(p))) return false;
    return true;
}

}  // namespace kombinator

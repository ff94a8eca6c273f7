#include "filters/preferred_results.h"

namespace kombinator {

bool PreferredSetEmpty(const std::array<Flag, 16>& set) {
    for (Flag f : set)
        if (f) return false;
    return true;
}

std::string_view ValidatePreferredResults(const FilterSettings& settings) {
    if (!settings.PreferredActive) return {};
    return PreferredSetEmpty(settings.PreferredScores[0]) ? PreferredMessage : std::string_view{};
}

bool PreferredSetMet(const std::array<Flag, 16>& set, const Combination& c) {
    for (int i = 0; i < ScoreCount; ++i) {
        if (!set[i]) continue;
        bool found = false;
        for (const MatchScore& s : c.scores) found = found || ScoreIndex(s) == i;
        if (!found) return false;
    }
    return true;
}

bool PreferredResultsPass(const FilterSettings& settings, const Combination& c) {
    const auto& sets = settings.PreferredScores;
    if (PreferredSetMet(sets[0], c)) return true;
    // An empty second or third set is not met, unlike the first.
    if (!PreferredSetEmpty(sets[1]) && PreferredSetMet(sets[1], c)) return true;
    if (!PreferredSetEmpty(sets[2]) && PreferredSetMet(sets[2], c)) return true;
    return false;
}

}  // namespace kombinator

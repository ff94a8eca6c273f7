#include "filters/block_goal_counts.h"

namespace kombinator {

namespace {
bool EveryRowTicked(const std::array<Flag, 24>& table) {
    for (int g = 0; g < 4; ++g) {
        bool any = false;
        for (int n = 0; n < 6; ++n) any = any || table[6 * g + n];
        if (!any) return false;
    }
    return true;
}
}  // namespace

std::string_view ValidateHomeBlock(const FilterSettings& settings) {
    return settings.HomeBlockActive && !EveryRowTicked(settings.HomeBlockCounts) ? HomeBlockMessage
                                                                                 : std::string_view{};
}

std::string_view ValidateAwayBlock(const FilterSettings& settings) {
    return settings.AwayBlockActive && !EveryRowTicked(settings.AwayBlockCounts) ? AwayBlockMessage
                                                                                 : std::string_view{};
}

bool BlockCountsPass(const std::array<Flag, 24>& table, const std::array<int, 4>& counts) {
    for (int g = 0; g < 4; ++g)
        if (counts[g] >= 6) return false;
    for (int g = 0; g < 4; ++g)
        if (!table[6 * g + counts[g]]) return false;
    return true;
}

bool HomeBlockPass(const FilterSettings& settings, const Combination& c) {
    std::array<int, 4> counts{};
    for (const MatchScore& s : c.scores) ++counts[s.home];
    return BlockCountsPass(settings.HomeBlockCounts, counts);
}

bool AwayBlockPass(const FilterSettings& settings, const Combination& c) {
    std::array<int, 4> counts{};
    for (const MatchScore& s : c.scores) ++counts[s.away];
    return BlockCountsPass(settings.AwayBlockCounts, counts);
}

}  // namespace kombinator

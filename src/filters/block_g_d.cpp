#include "filters/block_g_d.h"

namespace kombinator {

namespace {
bool AnySet(const std::array<Flag, 16>& t) {
    for (Flag f : t)
        if (f) return true;
    return false;
}
}  // namespace

std::string_view ValidateBlockG(const FilterSettings& settings) {
    return settings.BlockGActive && !AnySet(settings.BlockGSigns) ? BlockGMessage : std::string_view{};
}

std::string_view ValidateBlockD(const FilterSettings& settings) {
    return settings.BlockDActive && !AnySet(settings.BlockDSigns) ? BlockDMessage : std::string_view{};
}

bool BlockPass(const std::array<Flag, 16>& signs, const std::array<std::uint8_t, 6>& range, const Combination& c,
               int firstPosition) {
    int ones = 0, draws = 0, home = 0, away = 0;
    for (int p = firstPosition; p < firstPosition + 3; ++p) {
        const MatchScore s = c.at(p);
        const std::uint8_t sign = OutcomeSign(s);
        ones += sign == 1;
        draws += sign == 0;
        home += s.home;
        away += s.away;
    }
    if (!signs[4 * ones + draws]) return false;
    if (home < range[2] || home > range[3]) return false;
    if (away < range[4] || away > range[5]) return false;
    return home + away >= range[0] && home + away <= range[1];
}

bool BlockGPass(const FilterSettings& settings, const Combination& c) {
    return BlockPass(settings.BlockGSigns, settings.BlockGRange, c, 1);
}

bool BlockDPass(const FilterSettings& settings, const Combination& c) {
    return BlockPass(settings.BlockDSigns, settings.BlockDRange, c, 4);
}

}  // namespace kombinator

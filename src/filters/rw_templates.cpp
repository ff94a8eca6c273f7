#include "filters/rw_templates.h"

namespace kombinator {

int RwWeight(const FilterSettings& settings) {
    int weight = 0;
    for (int i = 0; i < ScoreCount; ++i) {
        weight += settings.RwTemplate[3 * i + AdjacentPair] ? 2 : 0;
        weight += settings.RwTemplate[3 * i + SeparatePair] ? 2 : 0;
        weight += settings.RwTemplate[3 * i + Single] ? 1 : 0;
    }
    return weight;
}

std::string_view ValidateRwTemplates(const FilterSettings& settings) {
    if (!settings.RwActive) return {};
    return RwWeight(settings) < 6 ? RwMessage : std::string_view{};
}

bool RwAllowed(const FilterSettings& settings, int scoreIndex, RwPattern pattern) {
    return settings.RwTemplate[3 * scoreIndex + pattern] != 0;
}

bool RwTemplatesPass(const FilterSettings& settings, const Combination& c) {
    int count[ScoreCount] = {};
    int first[ScoreCount];
    int last[ScoreCount];
    for (int p = 0; p < PositionCount; ++p) {
        const int s = ScoreIndex(c.scores[p]);
        if (count[s]++ == 0) first[s] = p;
        last[s] = p;
    }
    for (int s = 0; s < ScoreCount; ++s) {
        if (count[s] == 0) continue;
        if (count[s] > 2) return false;
        const RwPattern pattern =
            count[s] == 1 ? Single : (last[s] == first[s] + 1 ? AdjacentPair : SeparatePair);
        if (!RwAllowed(settings, s, pattern)) return false;
    }
    return true;
}

}  // namespace kombinator

#include "filters/pn_templates.h"

namespace kombinator {

std::string_view ValidatePnTemplates(const FilterSettings& settings) {
    if (!settings.PnActive) return {};
    bool overall = false, home = false, away = false;
    for (int e = 3; e <= 9; ++e) overall = overall || settings.PnOverall[e];
    for (int e = 1; e <= 5; ++e) {
        home = home || settings.PnHomeBlock[e];
        away = away || settings.PnAwayBlock[e];
    }
    return overall && home && away ? std::string_view{} : PnMessage;
}

bool PnPass(const FilterSettings& settings, int evenHome, int evenAway) {
    return settings.PnHomeBlock[evenHome] && settings.PnAwayBlock[evenAway] &&
           settings.PnOverall[evenHome + evenAway];
}

bool PnPass(const FilterSettings& settings, const Combination& c) {
    int evenHome = 0, evenAway = 0;
    for (const MatchScore& s : c.scores) {
        evenHome += s.home % 2 == 0;
        evenAway += s.away % 2 == 0;
    }
    return PnPass(settings, evenHome, evenAway);
}

}  // namespace kombinator

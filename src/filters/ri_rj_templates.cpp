#include "filters/ri_rj_templates.h"

namespace kombinator {

std::string_view ValidateRiTemplates(const FilterSettings& settings) {
    if (!settings.RiActive) return {};
    for (const auto& row : settings.RiTemplate)
        for (Flag f : row)
            if (f) return {};
    return RiMessage;
}

namespace {
bool AnyOfOneToFour(const std::array<Flag, 5>& t) { return t[1] || t[2] || t[3] || t[4]; }
}  // namespace

std::string_view ValidateRjTemplates(const FilterSettings& settings) {
    if (settings.RjDrawActive && !AnyOfOneToFour(settings.RjDrawTemplate)) return RjMessage;
    if (settings.RjTwoActive && !AnyOfOneToFour(settings.RjTwoTemplate)) return RjMessage;
    return {};
}

bool RiPass(const FilterSettings& settings, const WorkSigns& signs) {
    int ones = 0, draws = 0;
    for (std::uint8_t s : signs) {
        ones += s == 1;
        draws += s == 0;
    }
    return settings.RiTemplate[ones][draws] != 0;
}

RjRunCounts CountRjRuns(const WorkSigns& signs, std::uint8_t sign) {
    RjRunCounts r;
    int length = 0;
    auto close = [&] {
        if (length == 2) ++r.runs2;
        else if (length == 3) ++r.runs3;
        else if (length >= 4) ++r.runsLong;
        length = 0;
    };
    for (std::uint8_t s : signs) {
        if (s == sign) ++length;
        else close();
    }
    close();
    return r;
}

bool RjPass(const std::array<Flag, 5>& templates, const WorkSigns& signs, std::uint8_t sign) {
    const RjRunCounts r = CountRjRuns(signs, sign);
    if (r.runsLong > 0) return false;
    return (templates[1] && r.runs3 == 1 && r.runs2 == 0) || (templates[2] && r.runs3 == 0 && r.runs2 == 2) ||
           (templates[3] && r.runs3 == 0 && r.runs2 == 1) || (templates[4] && r.runs3 == 0 && r.runs2 == 0);
}

}  // namespace kombinator

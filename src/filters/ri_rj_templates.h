#pragma once
// RI templates (how many ones, draws and twos) and RJ templates (how draws or twos stand
// next to each other).

#include <array>
#include <string_view>

#include "model/filter_settings.h"
#include "model/work_signs.h"

namespace kombinator {

inline constexpr std::string_view RiMessage = "Panel - Typy ogólne: Nie ustalone szablony RI !";
inline constexpr std::string_view RjMessage = "Panel - Typy ogólne: Nie ustalone szablony RJ !";

std::string_view ValidateRiTemplates(const FilterSettings& settings);
// Draws first, then twos; both give the same text.
std::string_view ValidateRjTemplates(const FilterSettings& settings);

bool RiPass(const FilterSettings& settings, const WorkSigns& signs);

// Runs of neighbouring Positions holding `sign` (Positions 6 and 1 are not neighbours).
struct RjRunCounts {
    int runs2 = 0;
    int runs3 = 0;
    int runsLong = 0;  // four or more
};
RjRunCounts CountRjRuns(const WorkSigns& signs, std::uint8_t sign);

// templates[1..4]: one run of three, two runs of two, one run of two, no run.
bool RjPass(const std::array<Flag, 5>& templates, const WorkSigns& signs, std::uint8_t sign);

}  // namespace kombinator

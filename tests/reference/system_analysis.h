#pragma once
// The straightforward system analysis: every outcome compared with every line of the system.

#include <array>
#include <cstdint>
#include <vector>

#include "generator/system_analysis.h"

namespace kombinator::reference {

// The largest number of Positions in which a line's score equals the outcome's; 0 without lines.
int BestHitCount(const std::vector<AnalysisLine>& lines, std::uint32_t outcome);

struct AllPairsAnalysis {
    std::int64_t outcomes = 0;
    std::array<std::int64_t, 7> byBest{};
    int guarantee = 0;
    std::vector<std::uint32_t> holes;  // below holeLevel, in the order the outcomes were given
};

// outcomes as given (the caller passes them without repeats, in the order it wants the holes).
AllPairsAnalysis AnalyseAllPairs(const std::vector<AnalysisLine>& lines, const std::vector<std::uint32_t>& outcomes,
                                 int holeLevel);

}  // namespace kombinator::reference

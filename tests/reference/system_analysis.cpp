#include "reference/system_analysis.h"

#include "model/combination.h"

namespace kombinator::reference {

int BestHitCount(const std::vector<AnalysisLine>& lines, std::uint32_t outcome) {
    const Combination c = CombinationFromCanonical(outcome);
    int best = 0;
    for (const AnalysisLine& line : lines) {
        int agree = 0;
        for (int p = 0; p < PositionCount; ++p)
            if (line[static_cast<std::size_t>(p)] == ScoreIndex(c.scores[static_cast<std::size_t>(p)])) ++agree;
        if (agree > best) best = agree;
    }
    return best;
}

AllPairsAnalysis AnalyseAllPairs(const std::vector<AnalysisLine>& lines, const std::vector<std::uint32_t>& outcomes,
                                 int holeLevel) {
    AllPairsAnalysis a;
    a.outcomes = static_cast<std::int64_t>(outcomes.size());
    for (std::uint32_t outcome : outcomes) {
        const int best = BestHitCount(lines, outcome);
        ++a.byBest[static_cast<std::size_t>(best)];
        if (best < holeLevel) a.holes.push_back(outcome);
    }
    for (int k = 0; k <= 6; ++k)
        if (a.byBest[static_cast<std::size_t>(k)] > 0) {
            a.guarantee = k;
            break;
        }
    return a;
}

}  // namespace kombinator::reference

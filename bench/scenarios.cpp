#include "scenarios.h"

namespace kombinator::bench {

namespace {
constexpr int Score(int home, int away) { return 4 * home + away; }
}  // namespace

FilterSettings AllBasicScenario() {
    FilterSettings s;
    for (int p = 1; p <= 6; ++p) s.TypeMarks[p] = {BasicType, BasicType, BasicType};
    return s;
}

FilterSettings EveryFamilyScenario() {
    FilterSettings s;
    // Signs "1" and "0" basic, "2" additional everywhere: every relation box is enabled.
    for (int p = 1; p <= 6; ++p) s.TypeMarks[p] = {BasicType, BasicType, AdditionalType};
    for (int k = 1; k <= 7; ++k) s.RelationTicked[k] = 1;
    s.RiActive = 1;
    for (int x = 0; x <= 6; ++x)
        for (int y = 0; x + y <= 6; ++y) s.RiTemplate[x][y] = 1;
    s.RjDrawActive = s.RjTwoActive = 1;
    for (int k = 1; k <= 4; ++k) s.RjDrawTemplate[k] = s.RjTwoTemplate[k] = 1;
    for (int p = 1; p <= 6; ++p) {
        s.ScoreFilterActive[p] = 1;
        s.ScoreAllowed[p].fill(1);
    }
    s.TotalGoalsFrom = s.HomeGoalsFrom = s.AwayGoalsFrom = 0;
    s.TotalGoalsTo = s.HomeGoalsTo = s.AwayGoalsTo = 36;
    s.PnActive = 1;
    for (int e = 3; e <= 9; ++e) s.PnOverall[e] = 1;
    for (int e = 1; e <= 5; ++e) s.PnHomeBlock[e] = s.PnAwayBlock[e] = 1;
    // One score per set: a set of more than six scores could never be met.
    s.PreferredActive = 1;
    s.PreferredScores[0][Score(1, 1)] = 1;
    s.PreferredScores[1][Score(1, 0)] = 1;
    s.PreferredScores[2][Score(0, 1)] = 1;
    s.RwActive = 1;
    s.RwTemplate.fill(1);
    s.HomeBlockActive = s.AwayBlockActive = 1;
    s.HomeBlockCounts.fill(1);
    s.AwayBlockCounts.fill(1);
    s.BlockGActive = s.BlockDActive = 1;
    for (int x = 0; x <= 3; ++x)
        for (int y = 0; x + y <= 3; ++y) s.BlockGSigns[4 * x + y] = s.BlockDSigns[4 * x + y] = 1;
    s.BlockGRange = s.BlockDRange = {0, 36, 0, 36, 0, 36};
    return s;
}

FilterSettings NarrowScenario() {
    FilterSettings s;
    // Two signs per Position; sign "2" of Position 6 an additional type.
    const std::uint8_t marks[7][3] = {{}, {1, 1, 0}, {1, 0, 1}, {1, 1, 0}, {0, 1, 1}, {1, 1, 0}, {1, 0, 2}};
    for (int p = 1; p <= 6; ++p)
        for (int c = 0; c < 3; ++c) s.TypeMarks[p][c] = marks[p][c];
    s.RelationTicked[1] = s.RelationTicked[2] = 1;  // "6 - 0", "5 - 1"
    s.RiActive = 1;
    s.RiTemplate[4][1] = s.RiTemplate[3][2] = s.RiTemplate[3][1] = s.RiTemplate[2][2] = s.RiTemplate[2][3] = 1;
    s.RjDrawActive = 1;
    s.RjDrawTemplate[3] = s.RjDrawTemplate[4] = 1;
    s.RjTwoActive = 1;
    s.RjTwoTemplate[4] = 1;
    s.ScoreFilterActive[1] = 1;
    for (int i : {Score(1, 0), Score(2, 0), Score(2, 1), Score(0, 0), Score(1, 1)}) s.ScoreAllowed[1][i] = 1;
    s.ScoreFilterActive[4] = 1;
    for (int i : {Score(0, 0), Score(1, 1), Score(0, 1), Score(1, 2), Score(0, 2)}) s.ScoreAllowed[4][i] = 1;
    s.TotalGoalsFrom = 10, s.TotalGoalsTo = 16;
    s.HomeGoalsFrom = 5, s.HomeGoalsTo = 10;
    s.AwayGoalsFrom = 3, s.AwayGoalsTo = 8;
    s.PreferredActive = 1;
    s.PreferredScores[0][Score(1, 0)] = s.PreferredScores[0][Score(1, 1)] = 1;
    s.BlockGActive = 1;
    s.BlockGSigns[4 * 2 + 1] = s.BlockGSigns[4 * 2 + 0] = s.BlockGSigns[4 * 1 + 1] = s.BlockGSigns[4 * 1 + 2] = 1;
    s.BlockGRange = {4, 8, 2, 6, 1, 4};
    return s;
}

std::vector<Scenario> EngineScenarios() {
    return {{"all-basic", AllBasicScenario()}, {"every-family", EveryFamilyScenario()}, {"narrow", NarrowScenario()}};
}

}  // namespace kombinator::bench

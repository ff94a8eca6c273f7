#include "reference/random_settings.h"

#include <algorithm>
#include <random>

namespace kombinator::reference {

namespace {

class Dice {
public:
    explicit Dice(std::uint32_t seed) : engine_(seed) {}
    int Below(int n) { return static_cast<int>(engine_() % static_cast<std::uint32_t>(n)); }
    bool Chance(int percent) { return Below(100) < percent; }
    Flag FlagWith(int percent) { return Chance(percent) ? 1 : 0; }

private:
    std::mt19937 engine_;
};

// A table mode: empty (so validation may fail), full, or ticked at some density.
int Density(Dice& d) {
    const int mode = d.Below(100);
    return mode < 4 ? 0 : (mode < 20 ? 100 : 20 + d.Below(75));
}

void Range(Dice& d, std::uint8_t& from, std::uint8_t& to, int wide, int narrowWidth) {
    if (d.Chance(wide)) {
        from = 0;
        to = 36;
        return;
    }
    from = static_cast<std::uint8_t>(d.Below(narrowWidth));
    to = static_cast<std::uint8_t>(std::min(36, from + d.Below(narrowWidth)));
}

}  // namespace

FilterSettings RandomSettings(std::uint32_t seed, bool everyFamily) {
    Dice d(seed);
    FilterSettings s;
    const bool allBasic = d.Chance(30);
    for (int p = 1; p <= 6; ++p)
        for (int c = 0; c < 3; ++c) {
            const int r = d.Below(100);
            s.TypeMarks[p][c] = allBasic ? (r < 85 ? BasicType : AdditionalType)
                                         : (r < 20 ? NotAllowed : (r < 75 ? BasicType : AdditionalType));
        }
    for (int p = 1; p <= 6; ++p)  // mostly valid grids
        if (d.Chance(90) && s.TypeMarks[p][0] != BasicType && s.TypeMarks[p][1] != BasicType &&
            s.TypeMarks[p][2] != BasicType)
            s.TypeMarks[p][d.Below(3)] = BasicType;
    const int relationDensity = Density(d);
    for (int k = 1; k <= 7; ++k) s.RelationTicked[k] = d.FlagWith(relationDensity);
    if (relationDensity > 0 && RelationsActive(s)) s.RelationTicked[1 + d.Below(AdditionalTypePositions(s) + 1)] = 1;

    if ((s.RiActive = everyFamily ? Flag{1} : d.FlagWith(28))) {
        const int density = Density(d);
        for (int x = 0; x <= 6; ++x)
            for (int y = 0; x + y <= 6; ++y) s.RiTemplate[x][y] = d.FlagWith(density);
    }
    if ((s.RjDrawActive = everyFamily ? Flag{1} : d.FlagWith(25))) {
        const int density = Density(d);
        for (int k = 1; k <= 4; ++k) s.RjDrawTemplate[k] = d.FlagWith(density);
    }
    if ((s.RjTwoActive = everyFamily ? Flag{1} : d.FlagWith(25))) {
        const int density = Density(d);
        for (int k = 1; k <= 4; ++k) s.RjTwoTemplate[k] = d.FlagWith(density);
    }
    for (int p = 1; p <= 6; ++p)
        if ((s.ScoreFilterActive[p] = everyFamily ? Flag{1} : d.FlagWith(20))) {
            const int density = d.Chance(3) ? 0 : 30 + d.Below(70);
            for (int i = 0; i < 16; ++i) s.ScoreAllowed[p][i] = d.FlagWith(density);
        }
    Range(d, s.TotalGoalsFrom, s.TotalGoalsTo, 50, 20);
    Range(d, s.HomeGoalsFrom, s.HomeGoalsTo, 60, 10);
    Range(d, s.AwayGoalsFrom, s.AwayGoalsTo, 60, 10);
    if ((s.PnActive = everyFamily ? Flag{1} : d.FlagWith(25))) {
        const int density = Density(d);
        for (int e = 3; e <= 9; ++e) s.PnOverall[e] = d.FlagWith(density);
        for (int e = 1; e <= 5; ++e) s.PnHomeBlock[e] = d.FlagWith(density), s.PnAwayBlock[e] = d.FlagWith(density);
        if (density > 0) {  // mostly complete rows
            s.PnOverall[3 + d.Below(7)] = 1;
            s.PnHomeBlock[1 + d.Below(5)] = 1;
            s.PnAwayBlock[1 + d.Below(5)] = 1;
        }
    }
    if ((s.PreferredActive = everyFamily ? Flag{1} : d.FlagWith(28))) {
        for (int k = 0; k < 3; ++k) {
            const int scores = d.Chance(k == 0 ? 4 : 30) ? 0 : 1 + d.Below(k == 0 ? 8 : 4);  // seven or more is never met
            for (int i = 0; i < scores; ++i) s.PreferredScores[k][d.Below(16)] = 1;
        }
    }
    if ((s.RwActive = everyFamily ? Flag{1} : d.FlagWith(28))) {
        const int density = d.Chance(5) ? 5 : 40 + d.Below(61);
        for (int i = 0; i < 48; ++i) s.RwTemplate[i] = d.FlagWith(density);
    }
    if ((s.HomeBlockActive = everyFamily ? Flag{1} : d.FlagWith(25))) {
        const int density = Density(d);
        for (int i = 0; i < 24; ++i) s.HomeBlockCounts[i] = d.FlagWith(density);
        for (int g = 0; g < 4 && density > 0; ++g) s.HomeBlockCounts[6 * g + d.Below(6)] = 1;
    }
    if ((s.AwayBlockActive = everyFamily ? Flag{1} : d.FlagWith(25))) {
        const int density = Density(d);
        for (int i = 0; i < 24; ++i) s.AwayBlockCounts[i] = d.FlagWith(density);
        for (int g = 0; g < 4 && density > 0; ++g) s.AwayBlockCounts[6 * g + d.Below(6)] = 1;
    }
    for (int block = 0; block < 2; ++block) {
        Flag& active = block == 0 ? s.BlockGActive : s.BlockDActive;
        auto& signs = block == 0 ? s.BlockGSigns : s.BlockDSigns;
        auto& range = block == 0 ? s.BlockGRange : s.BlockDRange;
        if (!(active = everyFamily ? Flag{1} : d.FlagWith(25))) continue;
        const int density = Density(d);
        for (int x = 0; x <= 3; ++x)
            for (int y = 0; x + y <= 3; ++y) signs[4 * x + y] = d.FlagWith(density);
        for (int i = 0; i < 3; ++i) Range(d, range[2 * i], range[2 * i + 1], 40, 8);
    }
    return s;
}

}  // namespace kombinator::reference

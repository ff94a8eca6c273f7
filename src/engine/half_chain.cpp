#include "engine/half_chain.h"

#include "filters/rw_templates.h"

namespace kombinator::half_chain {

void PrepareScoreSets(const FilterSettings& s, ScoreSets& w) {
    if (!s.PreferredActive && !s.RwActive) return;
    for (auto& set : w.has) set.Clear();
    for (int h = 0; h < HalfCount; ++h)
        for (std::uint16_t m = Halves.present[h]; m; m &= m - 1) w.has[std::countr_zero(m)].Set(h);
    if (!s.RwActive) return;

    // A score standing once in the second half and nowhere in the first is a single there.
    HalfSet singlesAllowed[16];
    for (int sc = 0; sc < 16; ++sc) {
        auto& with = w.rwWith[sc];
        for (auto& set : with) set.Clear();
        singlesAllowed[sc].Clear();
        const bool single = RwAllowed(s, sc, Single), adjacent = RwAllowed(s, sc, AdjacentPair),
                   separate = RwAllowed(s, sc, SeparatePair);
        for (int h = 0; h < HalfCount; ++h) {
            const bool absent = !((Halves.present[h] >> sc) & 1);
            const bool onceHere = (Halves.once[h] >> sc) & 1;
            const bool atBorder = Halves.firstScore[h] == sc;  // Position 4 beside Position 3
            if (absent || !onceHere || single) singlesAllowed[sc].Set(h);
            if ((absent && single) || (onceHere && separate)) with[OnceInside].Set(h);
            if ((absent && single) || (onceHere && (atBorder ? adjacent : separate))) with[OnceAtBorder].Set(h);
            if (absent) with[Twice].Set(h);
        }
    }
    for (int i = 0; i < 16; ++i) {
        HalfSet acc = singlesAllowed[i];
        w.rwSingles[i][i] = acc;
        for (int j = i + 1; j < 16; ++j) {
            acc &= singlesAllowed[j];
            w.rwSingles[i][j] = acc;
        }
    }
}

std::array<std::uint16_t, 3> PreferredMasks(const FilterSettings& s) {
    std::array<std::uint16_t, 3> preferred{};
    for (int k = 0; k < 3; ++k)
        for (int i = 0; i < 16; ++i)
            if (s.PreferredScores[k][i]) preferred[k] = static_cast<std::uint16_t>(preferred[k] | (1u << i));
    return preferred;
}

bool RwHalfPasses(const FilterSettings& s, int h) {
    if (Halves.thrice[h]) return false;
    const int twice = Halves.twiceScore[h];
    return twice == NoScore || RwAllowed(s, twice, static_cast<RwPattern>(Halves.twicePattern[h]));
}

}  // namespace kombinator::half_chain

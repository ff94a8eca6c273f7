#include "reference/filter_chain.h"

#include <cstdint>

#include "model/work_signs.h"
#include "filters/block_g_d.h"
#include "filters/block_goal_counts.h"
#include "filters/pn_templates.h"
#include "filters/preferred_results.h"
#include "filters/results_goal_ranges.h"
#include "filters/ri_rj_templates.h"
#include "filters/rw_templates.h"
#include "filters/type_grid.h"

namespace kombinator::reference {

namespace {

using Byte = std::uint8_t;

bool AnyFlag(const Byte* flags, int n) {
    for (int i = 0; i < n; ++i)
        if (flags[i] == 1) return true;
    return false;
}

// The working state the predicates share.
struct Work {
    const FilterSettings& s;
    Byte relationAllowed[8] = {};  // indexed by box number 1..7
    Byte signs[7] = {};            // 1-based
    Byte home[7] = {};
    Byte away[7] = {};
    int tpCount = 0;
    bool passes = true;

    explicit Work(const FilterSettings& settings) : s(settings) {}

    bool RelationsActive() const {
        for (int p = 1; p <= 6; ++p)
            for (int c = 0; c < 3; ++c)
                if (s.TypeMarks[p][c] == 2) return true;
        return false;
    }

    void TypeGrid() {
        tpCount = 0;
        for (int p = 1; p <= 6; ++p) {
            const int column = signs[p] == 1 ? 0 : (signs[p] == 0 ? 1 : 2);
            const Byte m = s.TypeMarks[p][column];
            if (m == 0) {
                passes = false;
                return;
            }
            if (m == 1) ++tpCount;
        }
    }

    void Relation() {
        if (relationAllowed[7 - tpCount] != 1) passes = false;
    }

    void Ri() {
        int x = 0, y = 0;
        for (int p = 1; p <= 6; ++p) {
            if (signs[p] == 1) ++x;
            if (signs[p] == 0) ++y;
        }
        if (s.RiTemplate[x][y] != 1) passes = false;
    }

    void GoalRanges(int h, int a) {
        if (!(s.HomeGoalsFrom <= h && h <= s.HomeGoalsTo)) passes = false;
        else if (!(s.AwayGoalsFrom <= a && a <= s.AwayGoalsTo)) passes = false;
        else if (!(s.TotalGoalsFrom <= h + a && h + a <= s.TotalGoalsTo)) passes = false;
    }

    void Rj(const std::array<Flag, 5>& flags, Byte sign) {
        int runs2 = 0, runs3 = 0, runsLong = 0, length = 0;
        auto close = [&] {
            if (length == 2) ++runs2;
            if (length == 3) ++runs3;
            if (length >= 4 && length <= 6) ++runsLong;
        };
        for (int p = 1; p <= 6; ++p) {
            if (signs[p] == sign) {
                ++length;
            } else {
                close();
                length = 0;
            }
        }
        close();
        if (runsLong > 0) {
            passes = false;
            return;
        }
        const bool ok = (flags[1] == 1 && runs3 == 1 && runs2 == 0) || (flags[2] == 1 && runs3 == 0 && runs2 == 2) ||
                        (flags[3] == 1 && runs3 == 0 && runs2 == 1) || (flags[4] == 1 && runs3 == 0 && runs2 == 0);
        if (!ok) passes = false;
    }

    void Results() {
        for (int p = 1; p <= 6; ++p) {
            if (s.ScoreFilterActive[p] == 1 && s.ScoreAllowed[p][4 * home[p] + away[p]] != 1) {
                passes = false;
                return;
            }
        }
    }

    void Pn() {
        int eh = 0, ea = 0;
        for (int p = 1; p <= 6; ++p) {
            if (home[p] == 0 || home[p] == 2) ++eh;
            if (away[p] == 0 || away[p] == 2) ++ea;
        }
        if (s.PnHomeBlock[eh] != 1) passes = false;
        else if (s.PnAwayBlock[ea] != 1) passes = false;
        else if (s.PnOverall[eh + ea] != 1) passes = false;
    }

    bool SetMet(const std::array<Flag, 16>& set) const {
        for (int i = 0; i <= 15; ++i) {
            if (set[i] != 1) continue;
            bool found = false;
            for (int p = 1; p <= 6; ++p)
                if (home[p] == i / 4 && away[p] == i % 4) found = true;
            if (!found) return false;
        }
        return true;
    }

    void PreferredResultsPass() {
        if (SetMet(s.PreferredScores[0])) return;
        if (AnyFlag(s.PreferredScores[1].data(), 16) && SetMet(s.PreferredScores[1])) return;
        if (AnyFlag(s.PreferredScores[2].data(), 16) && SetMet(s.PreferredScores[2])) return;
        passes = false;
    }

    void RwTemplatesPass() {
        bool counted[7] = {};
        for (int p = 1; p <= 5; ++p) {
            if (counted[p]) continue;
            int count = 1;
            bool neighbour = false;
            for (int q = p + 1; q <= 6; ++q) {
                if (home[q] == home[p] && away[q] == away[p]) {
                    if (q == p + 1) neighbour = true;
                    ++count;
                    counted[q] = true;
                    if (count > 2) {
                        passes = false;
                        return;
                    }
                }
            }
            const int score = 4 * home[p] + away[p];
            int pattern = Single;
            if (neighbour) pattern = AdjacentPair;
            else if (count == 2) pattern = SeparatePair;
            if (s.RwTemplate[3 * score + pattern] != 1) {
                passes = false;
                return;
            }
        }
        if (!counted[6] && s.RwTemplate[3 * (4 * home[6] + away[6]) + Single] != 1) passes = false;
    }

    void BlockCounts(const Byte* goals, const std::array<Flag, 24>& table) {
        int count[4] = {};
        for (int p = 1; p <= 6; ++p) ++count[goals[p]];
        for (int g = 0; g < 4; ++g)
            if (count[g] == 6) {
                passes = false;
                return;
            }
        for (int g = 0; g < 4; ++g)
            if (table[6 * g + count[g]] != 1) {
                passes = false;
                return;
            }
    }

    void Block(int first, const std::array<Flag, 16>& signTable, const std::array<std::uint8_t, 6>& r) {
        int x = 0, y = 0, h = 0, a = 0;
        for (int p = first; p < first + 3; ++p) {
            if (signs[p] == 1) ++x;
            if (signs[p] == 0) ++y;
            h += home[p];
            a += away[p];
        }
        if (signTable[4 * x + y] != 1) passes = false;
        else if (!(r[2] <= h && h <= r[3])) passes = false;
        else if (!(r[4] <= a && a <= r[5])) passes = false;
        else if (!(r[0] <= h + a && h + a <= r[1])) passes = false;
    }
};

Byte Sign(int h, int a) { return h > a ? 1 : (h == a ? 0 : 2); }

}  // namespace

std::string ValidateFilterSettingsReference(const FilterSettings& s) {
    for (int p = 1; p <= 6; ++p)
        if (s.TypeMarks[p][0] != 1 && s.TypeMarks[p][1] != 1 && s.TypeMarks[p][2] != 1)
            return "Panel - Typy ogólne: W każdej pozycji minimum jeden typ podstawowy !";
    Work w(s);
    if (w.RelationsActive()) {
        int d = 0;
        for (int p = 1; p <= 6; ++p)
            if (s.TypeMarks[p][0] == 2 || s.TypeMarks[p][1] == 2 || s.TypeMarks[p][2] == 2) ++d;
        bool any = false;
        for (int k = 1; k <= 7; ++k) any = any || (k <= d + 1 && s.RelationTicked[k] == 1);
        if (!any) return "Panel - Typy ogólne: Nie ustalone relacje Tp - Td !";
    }
    if (s.RiActive == 1) {
        bool any = false;
        for (int x = 0; x <= 6; ++x) any = any || AnyFlag(s.RiTemplate[x].data(), 7);
        if (!any) return "Panel - Typy ogólne: Nie ustalone szablony RI !";
    }
    if (s.RjDrawActive == 1 && !AnyFlag(&s.RjDrawTemplate[1], 4)) return "Panel - Typy ogólne: Nie ustalone szablony RJ !";
    if (s.RjTwoActive == 1 && !AnyFlag(&s.RjTwoTemplate[1], 4)) return "Panel - Typy ogólne: Nie ustalone szablony RJ !";
    for (int p = 1; p <= 6; ++p)
        if (s.ScoreFilterActive[p] == 1 && !AnyFlag(s.ScoreAllowed[p].data(), 16))
            return "Panel - Wyniki i bramki: Pozycja " + std::to_string(p) + " - nie ustalone wyniki !";
    if (s.PnActive == 1 &&
        !(AnyFlag(&s.PnOverall[3], 7) && AnyFlag(&s.PnHomeBlock[1], 5) && AnyFlag(&s.PnAwayBlock[1], 5)))
        return "Panel - Wyniki i bramki: Nie ustalone szablony P - N !";
    if (s.PreferredActive == 1 && !AnyFlag(s.PreferredScores[0].data(), 16))
        return "Panel - Preferencje: Nie ustalone preferowane wyniki !";
    auto allRows = [](const std::array<Flag, 24>& t) {
        int rows = 0;
        for (int g = 0; g < 4; ++g) rows += AnyFlag(&t[6 * g], 6) ? 1 : 0;
        return rows == 4;
    };
    if (s.HomeBlockActive == 1 && !allRows(s.HomeBlockCounts))
        return "Panel - Warunki blokowe: Blok gospodarzy - Nie ustalona liczba bramek we wszystkich blokach !";
    if (s.AwayBlockActive == 1 && !allRows(s.AwayBlockCounts))
        return "Panel - Warunki blokowe: Blok przyjezdnych - Nie ustalona liczba bramek we wszystkich blokach !";
    if (s.RwActive == 1) {
        int weight = 0;
        for (int i = 0; i < 16; ++i)
            weight += 2 * s.RwTemplate[3 * i] + 2 * s.RwTemplate[3 * i + 1] + s.RwTemplate[3 * i + 2];
        if (weight < 6)
            return "Panel - Preferencje: Szablony RW - z zaznaczonych wyników nie zbudujesz ani jednej kombinacji !";
    }
    if (s.BlockGActive == 1 && !AnyFlag(s.BlockGSigns.data(), 16))
        return "Panel - Preferencje: Blok G ( poz 1-3 ) - nie ustalone szablony jedynek zer i dwójek !";
    if (s.BlockDActive == 1 && !AnyFlag(s.BlockDSigns.data(), 16))
        return "Panel - Preferencje: Blok D ( poz 4-6 ) - nie ustalone szablony jedynek zer i dwójek !";
    return {};
}

namespace {

// The verdict codes of the chain, -1 for a pass or the number of the rejecting step in the
// chain's order: 0 type grid, 1 relation, 2 RI, 3 goal ranges, 4 RJ draws, 5 RJ twos,
// 6 results per position, 7 P-N, 8 preferred, 9 RW, 10 home block, 11 away block, 12 Block G, 13 Block D.
struct Chain {
    Work w;
    bool relationsActive;

    explicit Chain(const FilterSettings& s) : w(s), relationsActive(w.RelationsActive()) {
        if (relationsActive) {
            int d = 0;
            for (int p = 1; p <= 6; ++p)
                if (s.TypeMarks[p][0] == 2 || s.TypeMarks[p][1] == 2 || s.TypeMarks[p][2] == 2) ++d;
            for (int k = 1; k <= 7; ++k) w.relationAllowed[k] = (k <= d + 1 && s.RelationTicked[k] == 1) ? 1 : 0;
        }
    }

    // g[1..12]: home 1, away 1, ..., away 6.
    int Verdict(const int* g) {
        const FilterSettings& s = w.s;
        // Steps 1 and 2: the signs and the type grid.
        w.passes = true;
        for (int p = 1; p <= 6; ++p) w.signs[p] = Sign(g[2 * p - 1], g[2 * p]);
        w.TypeGrid();
        if (!w.passes) return 0;
        if (relationsActive && (w.Relation(), !w.passes)) return 1;
        if (s.RiActive == 1 && (w.Ri(), !w.passes)) return 2;
        int h = 0, a = 0;
        for (int p = 1; p <= 6; ++p) {
            h += g[2 * p - 1];
            a += g[2 * p];
        }
        if (w.GoalRanges(h, a), !w.passes) return 3;
        if (s.RjDrawActive == 1 && (w.Rj(s.RjDrawTemplate, 0), !w.passes)) return 4;
        if (s.RjTwoActive == 1 && (w.Rj(s.RjTwoTemplate, 2), !w.passes)) return 5;
        // Step 8: the working Combination, then the predicates on goals.
        for (int p = 1; p <= 6; ++p) {
            w.home[p] = static_cast<Byte>(g[2 * p - 1]);
            w.away[p] = static_cast<Byte>(g[2 * p]);
        }
        if (w.Results(), !w.passes) return 6;
        if (s.PnActive == 1 && (w.Pn(), !w.passes)) return 7;
        if (s.PreferredActive == 1 && (w.PreferredResultsPass(), !w.passes)) return 8;
        if (s.RwActive == 1 && (w.RwTemplatesPass(), !w.passes)) return 9;
        if (s.HomeBlockActive == 1 && (w.BlockCounts(w.home, s.HomeBlockCounts), !w.passes)) return 10;
        if (s.AwayBlockActive == 1 && (w.BlockCounts(w.away, s.AwayBlockCounts), !w.passes)) return 11;
        if (s.BlockGActive == 1 && (w.Block(1, s.BlockGSigns, s.BlockGRange), !w.passes)) return 12;
        if (s.BlockDActive == 1 && (w.Block(4, s.BlockDSigns, s.BlockDRange), !w.passes)) return 13;
        return -1;
    }
};

// Runs fn(g) for every Combination in canonical order, g[1..12] its twelve goal counts.
template <class Fn>
void ForEachCombination(Fn&& fn) {
    int g[13];
    for (g[1] = 0; g[1] < 4; ++g[1])
    for (g[2] = 0; g[2] < 4; ++g[2])
    for (g[3] = 0; g[3] < 4; ++g[3])
    for (g[4] = 0; g[4] < 4; ++g[4])
    for (g[5] = 0; g[5] < 4; ++g[5])
    for (g[6] = 0; g[6] < 4; ++g[6])
    for (g[7] = 0; g[7] < 4; ++g[7])
    for (g[8] = 0; g[8] < 4; ++g[8])
    for (g[9] = 0; g[9] < 4; ++g[9])
    for (g[10] = 0; g[10] < 4; ++g[10])
    for (g[11] = 0; g[11] < 4; ++g[11])
    for (g[12] = 0; g[12] < 4; ++g[12]) fn(g);
}

}  // namespace

FilterRunResult FilterRunReference(const FilterSettings& s, CandidateStore& store) {
    FilterRunResult result;
    result.message = ValidateFilterSettingsReference(s);
    if (!result.message.empty()) return result;

    Chain chain(s);
    std::int32_t count = 0;
    ForEachCombination([&](const int* g) {
        if (chain.Verdict(g) != -1) return;
        ++count;
        if (count <= StoreCapacity) {
            std::uint8_t* r = store.RecordBytes(count);
            for (int i = 0; i < 12; ++i) r[i] = static_cast<std::uint8_t>(g[i + 1]);
        }
    });
    result.CandidateCount = count;
    return result;
}

int ChainVerdictReference(const FilterSettings& s, const Combination& c) {
    Chain chain(s);
    int g[13] = {};
    for (int p = 1; p <= 6; ++p) {
        g[2 * p - 1] = c.at(p).home;
        g[2 * p] = c.at(p).away;
    }
    return chain.Verdict(g);
}

std::array<std::int32_t, 15> FunnelReference(const FilterSettings& s) {
    std::array<std::int32_t, 15> rejected{};
    Chain chain(s);
    ForEachCombination([&](const int* g) { ++rejected[static_cast<std::size_t>(chain.Verdict(g) + 1)]; });
    // Index 0 held the passes; move them to the end.
    const std::int32_t passed = rejected[0];
    for (std::size_t i = 0; i < 14; ++i) rejected[i] = rejected[i + 1];
    rejected[14] = passed;
    return rejected;
}

bool ChainPasses(const FilterSettings& s, const Combination& c) {
    const WorkSigns signs = SignsOf(c);
    int tpCount = 0;
    if (!TypeGridPass(s, signs, tpCount)) return false;
    if (RelationsActive(s) && !RelationPass(s, tpCount)) return false;
    if (s.RiActive && !RiPass(s, signs)) return false;
    if (!GoalRangesPass(s, c)) return false;
    if (s.RjDrawActive && !RjPass(s.RjDrawTemplate, signs, 0)) return false;
    if (s.RjTwoActive && !RjPass(s.RjTwoTemplate, signs, 2)) return false;
    if (!ScoresPass(s, c)) return false;
    if (s.PnActive && !PnPass(s, c)) return false;
    if (s.PreferredActive && !PreferredResultsPass(s, c)) return false;
    if (s.RwActive && !RwTemplatesPass(s, c)) return false;
    if (s.HomeBlockActive && !HomeBlockPass(s, c)) return false;
    if (s.AwayBlockActive && !AwayBlockPass(s, c)) return false;
    if (s.BlockGActive && !BlockGPass(s, c)) return false;
    if (s.BlockDActive && !BlockDPass(s, c)) return false;
    return true;
}

}  // namespace kombinator::reference

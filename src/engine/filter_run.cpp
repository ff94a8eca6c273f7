#include "engine/filter_run.h"

#include <bit>
#include <memory>

#include "engine/half_set.h"
#include "engine/work_signs.h"
#include "filters/block_g_d.h"
#include "filters/block_goal_counts.h"
#include "filters/pn_templates.h"
#include "filters/preferred_results.h"
#include "filters/results_goal_ranges.h"
#include "filters/ri_rj_templates.h"
#include "filters/rw_templates.h"
#include "filters/type_grid.h"

namespace kombinator {

std::string ValidateFilterSettings(const FilterSettings& settings) {
    using Check = std::string_view (*)(const FilterSettings&);
    static constexpr Check checks[] = {
        ValidateTypeGrid,
        [](const FilterSettings& s) { return RelationsActive(s) ? ValidateRelations(s) : std::string_view{}; },
        ValidateRiTemplates,
        ValidateRjTemplates,
        ValidateScoreFilters,
        ValidatePnTemplates,
        ValidatePreferredResults,
        ValidateHomeBlock,
        ValidateAwayBlock,
        ValidateRwTemplates,
        ValidateBlockG,
        ValidateBlockD,
    };
    for (Check check : checks) {
        const std::string_view message = check(settings);
        if (!message.empty()) return std::string(message);
    }
    return {};
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

// The fast run. A Combination is a first half (Positions 1-3) and a second half (Positions 4-6),
// each three ScoreIndexes packed into 12 bits, so its canonical index is first * 4096 + second.
// Every family reduces to a test on each half alone plus a cross test on small keys of the two
// halves; for each first half the passing second halves are the AND of 4,096-bit sets cached
// per key, counted by popcount and stored off the set bits in order.
namespace {

constexpr int NoScore = 255;

// What a half is, independent of the settings.
struct HalfTables {
    std::array<std::uint8_t, HalfCount> signKey{};       // 9 sign(1st) + 3 sign(2nd) + sign(3rd)
    std::array<std::uint8_t, HalfCount> goalKey{};       // 10 home sum + away sum
    std::array<std::uint8_t, HalfCount> pnKey{};         // 4 even home counts + even away counts
    std::array<std::uint8_t, HalfCount> homeCountKey{};  // n0 + 4 n1 + 16 n2: Positions per home goal number
    std::array<std::uint8_t, HalfCount> awayCountKey{};
    std::array<std::uint8_t, HalfCount> firstScore{};
    std::array<std::uint8_t, HalfCount> lastScore{};
    std::array<std::uint8_t, HalfCount> twiceScore{};    // the score standing twice, or NoScore
    std::array<std::uint8_t, HalfCount> twicePattern{};  // AdjacentPair or SeparatePair for twiceScore
    std::array<std::uint8_t, HalfCount> thrice{};        // one score in all three Positions
    std::array<std::uint16_t, HalfCount> present{};      // scores standing in the half
    std::array<std::uint16_t, HalfCount> once{};         // scores standing exactly once
};

constexpr HalfTables MakeHalfTables() {
    HalfTables t;
    for (int h = 0; h < HalfCount; ++h) {
        const int sc[3] = {h >> 8, (h >> 4) & 15, h & 15};
        int sign[3], home = 0, away = 0, evenHome = 0, evenAway = 0;
        int homeCount[4] = {}, awayCount[4] = {};
        for (int i = 0; i < 3; ++i) {
            const int hg = sc[i] / 4, ag = sc[i] % 4;
            sign[i] = hg > ag ? 1 : (hg == ag ? 0 : 2);
            home += hg;
            away += ag;
            evenHome += hg % 2 == 0;
            evenAway += ag % 2 == 0;
            ++homeCount[hg];
            ++awayCount[ag];
        }
        t.signKey[h] = static_cast<std::uint8_t>(9 * sign[0] + 3 * sign[1] + sign[2]);
        t.goalKey[h] = static_cast<std::uint8_t>(10 * home + away);
        t.pnKey[h] = static_cast<std::uint8_t>(4 * evenHome + evenAway);
        t.homeCountKey[h] = static_cast<std::uint8_t>(homeCount[0] + 4 * homeCount[1] + 16 * homeCount[2]);
        t.awayCountKey[h] = static_cast<std::uint8_t>(awayCount[0] + 4 * awayCount[1] + 16 * awayCount[2]);
        t.firstScore[h] = static_cast<std::uint8_t>(sc[0]);
        t.lastScore[h] = static_cast<std::uint8_t>(sc[2]);
        t.twiceScore[h] = NoScore;
        t.twicePattern[h] = 0;
        t.thrice[h] = sc[0] == sc[1] && sc[1] == sc[2];
        std::uint16_t present = 0, once = 0;
        for (int i = 0; i < 3; ++i) {
            present = static_cast<std::uint16_t>(present | (1u << sc[i]));
            int n = 0;
            for (int j = 0; j < 3; ++j) n += sc[j] == sc[i];
            if (n == 1) once = static_cast<std::uint16_t>(once | (1u << sc[i]));
        }
        t.present[h] = present;
        t.once[h] = once;
        if (!t.thrice[h]) {
            if (sc[0] == sc[1]) t.twiceScore[h] = static_cast<std::uint8_t>(sc[0]), t.twicePattern[h] = AdjacentPair;
            if (sc[1] == sc[2]) t.twiceScore[h] = static_cast<std::uint8_t>(sc[1]), t.twicePattern[h] = AdjacentPair;
            if (sc[0] == sc[2]) t.twiceScore[h] = static_cast<std::uint8_t>(sc[0]), t.twicePattern[h] = SeparatePair;
        }
    }
    return t;
}

constexpr HalfTables Halves = MakeHalfTables();

constexpr int SignKeys = 27, GoalKeys = 100, PnKeys = 16, CountKeys = 64;

// A cross test cached per key of the first half: ok[keyF][keyS] and the set of second halves
// passing it (and their own tests) for each keyF met so far.
template <int Keys>
struct CrossCache {
    std::array<std::array<std::uint8_t, Keys>, Keys> ok;
    std::array<HalfSet, Keys> sets;
    std::array<std::uint8_t, Keys> built;

    const HalfSet& For(int keyF, const std::array<std::uint8_t, HalfCount>& keyS, const std::uint8_t* ownS) {
        HalfSet& set = sets[keyF];
        if (!built[keyF]) {
            const std::uint8_t* row = ok[keyF].data();
            for (int w = 0; w < HalfSetWords; ++w) {
                std::uint64_t bits = 0;
                for (int b = 0; b < 64; ++b) {
                    const int s = 64 * w + b;
                    bits |= static_cast<std::uint64_t>(row[keyS[s]] & (ownS ? ownS[s] : 1)) << b;
                }
                set.words[w] = bits;
            }
            built[keyF] = 1;
        }
        return set;
    }
};

struct Workspace {
    std::array<std::uint8_t, HalfCount> ownFirst;
    std::array<std::uint8_t, HalfCount> ownSecond;
    CrossCache<SignKeys> signs;
    CrossCache<GoalKeys> goals;
    CrossCache<PnKeys> pn;
    CrossCache<CountKeys> homeCounts;
    CrossCache<CountKeys> awayCounts;
    std::array<HalfSet, 16> has;            // second halves in which the score stands
    std::array<std::array<HalfSet, 3>, 16> rwWith;  // RW cross test for a score of the first half, by role
    std::array<std::array<HalfSet, 16>, 16> rwSingles;  // [i][j]: second-half singles i..j are allowed
};

enum RwRole { OnceInside = 0, OnceAtBorder = 1, Twice = 2 };

WorkSigns SignsOfKeys(int keyF, int keyS) {
    return WorkSigns{static_cast<std::uint8_t>(keyF / 9), static_cast<std::uint8_t>(keyF / 3 % 3),
                     static_cast<std::uint8_t>(keyF % 3), static_cast<std::uint8_t>(keyS / 9),
                     static_cast<std::uint8_t>(keyS / 3 % 3), static_cast<std::uint8_t>(keyS % 3)};
}

bool ValidCountKey(int k) { return k % 4 + k / 4 % 4 + k / 16 <= 3; }
std::array<int, 4> CountsOfKey(int k) { return {k % 4, k / 4 % 4, k / 16, 3 - k % 4 - k / 4 % 4 - k / 16}; }

// A Combination holding the half's three scores from firstPosition on, zeros elsewhere.
Combination HalfCombination(int h, int firstPosition) {
    Combination c;
    c.at(firstPosition) = ScoreFromIndex(h >> 8);
    c.at(firstPosition + 1) = ScoreFromIndex((h >> 4) & 15);
    c.at(firstPosition + 2) = ScoreFromIndex(h & 15);
    return c;
}

bool HalfPassesAlone(const FilterSettings& s, int h, int firstPosition) {
    const Combination c = HalfCombination(h, firstPosition);
    for (int p = firstPosition; p < firstPosition + 3; ++p) {
        if (s.TypeMarks[p][SignColumn(OutcomeSign(c.at(p)))] == NotAllowed) return false;
        if (!PositionScorePass(s, p, c.at(p))) return false;
    }
    if (s.RwActive) {
        if (Halves.thrice[h]) return false;
        const int twice = Halves.twiceScore[h];
        if (twice != NoScore && !RwAllowed(s, twice, static_cast<RwPattern>(Halves.twicePattern[h]))) return false;
    }
    if (firstPosition == 1 && s.BlockGActive && !BlockGPass(s, c)) return false;
    if (firstPosition == 4 && s.BlockDActive && !BlockDPass(s, c)) return false;
    return true;
}

void PrepareCrossTables(const FilterSettings& s, Workspace& w) {
    const bool relations = RelationsActive(s);
    for (int f = 0; f < SignKeys; ++f)
        for (int g = 0; g < SignKeys; ++g) {
            const WorkSigns signs = SignsOfKeys(f, g);
            int tpCount = 0;
            bool ok = TypeGridPass(s, signs, tpCount);
            ok = ok && (!relations || RelationPass(s, tpCount));
            ok = ok && (!s.RiActive || RiPass(s, signs));
            ok = ok && (!s.RjDrawActive || RjPass(s.RjDrawTemplate, signs, 0));
            ok = ok && (!s.RjTwoActive || RjPass(s.RjTwoTemplate, signs, 2));
            w.signs.ok[f][g] = ok;
        }
    for (int f = 0; f < GoalKeys; ++f)
        for (int g = 0; g < GoalKeys; ++g) w.goals.ok[f][g] = GoalRangesPass(s, f / 10 + g / 10, f % 10 + g % 10);
    for (int f = 0; f < PnKeys; ++f)
        for (int g = 0; g < PnKeys; ++g) w.pn.ok[f][g] = PnPass(s, f / 4 + g / 4, f % 4 + g % 4);
    for (int f = 0; f < CountKeys; ++f)
        for (int g = 0; g < CountKeys; ++g) {
            bool home = false, away = false;
            if (ValidCountKey(f) && ValidCountKey(g)) {
                const auto a = CountsOfKey(f), b = CountsOfKey(g);
                const std::array<int, 4> sum{a[0] + b[0], a[1] + b[1], a[2] + b[2], a[3] + b[3]};
                home = BlockCountsPass(s.HomeBlockCounts, sum);
                away = BlockCountsPass(s.AwayBlockCounts, sum);
            }
            w.homeCounts.ok[f][g] = home;
            w.awayCounts.ok[f][g] = away;
        }
    w.signs.built.fill(0);
    w.goals.built.fill(0);
    w.pn.built.fill(0);
    w.homeCounts.built.fill(0);
    w.awayCounts.built.fill(0);
}

void PrepareScoreSets(const FilterSettings& s, Workspace& w) {
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

bool AnyBit(const HalfSet& set) {
    std::uint64_t any = 0;
    for (std::uint64_t word : set.words) any |= word;
    return any != 0;
}

void WriteRecord(CandidateStore& store, std::int32_t k, int first, int second) {
    std::uint8_t* r = store.RecordBytes(k);
    const int sc[6] = {first >> 8, (first >> 4) & 15, first & 15, second >> 8, (second >> 4) & 15, second & 15};
    for (int i = 0; i < 6; ++i) {
        r[2 * i] = static_cast<std::uint8_t>(sc[i] >> 2);
        r[2 * i + 1] = static_cast<std::uint8_t>(sc[i] & 3);
    }
}

}  // namespace

std::string ForEachPassingSet(const FilterSettings& s, const PassingSetVisitor& visit) {
    std::string message = ValidateFilterSettings(s);
    if (!message.empty()) return message;

    auto workspace = std::make_unique_for_overwrite<Workspace>();
    Workspace& w = *workspace;
    for (int h = 0; h < HalfCount; ++h) {
        w.ownFirst[h] = HalfPassesAlone(s, h, 1);
        w.ownSecond[h] = HalfPassesAlone(s, h, 4);
    }
    PrepareCrossTables(s, w);
    PrepareScoreSets(s, w);

    std::uint16_t preferred[3];
    for (int k = 0; k < 3; ++k) {
        preferred[k] = 0;
        for (int i = 0; i < 16; ++i)
            if (s.PreferredScores[k][i]) preferred[k] = static_cast<std::uint16_t>(preferred[k] | (1u << i));
    }

    HalfSet acc, part;
    for (int f = 0; f < HalfCount; ++f) {
        if (!w.ownFirst[f]) continue;
        acc = w.signs.For(Halves.signKey[f], Halves.signKey, w.ownSecond.data());
        acc &= w.goals.For(Halves.goalKey[f], Halves.goalKey, nullptr);
        if (s.PnActive) acc &= w.pn.For(Halves.pnKey[f], Halves.pnKey, nullptr);
        if (s.HomeBlockActive) acc &= w.homeCounts.For(Halves.homeCountKey[f], Halves.homeCountKey, nullptr);
        if (s.AwayBlockActive) acc &= w.awayCounts.For(Halves.awayCountKey[f], Halves.awayCountKey, nullptr);
        if (!AnyBit(acc)) continue;

        const std::uint16_t present = Halves.present[f];
        if (s.PreferredActive) {
            // A set is met when the second half holds what the first half lacks of it;
            // an empty second or third set is not met.
            bool all = false;
            part.Clear();
            for (int k = 0; k < 3 && !all; ++k) {
                if (k > 0 && preferred[k] == 0) continue;
                const std::uint16_t missing = static_cast<std::uint16_t>(preferred[k] & ~present);
                if (missing == 0) {
                    all = true;
                } else if (std::popcount(missing) <= 3) {
                    HalfSet met = w.has[std::countr_zero(missing)];
                    for (std::uint16_t m = missing & (missing - 1); m; m &= m - 1) met &= w.has[std::countr_zero(m)];
                    part |= met;
                }
            }
            if (!all) acc &= part;
        }
        if (s.RwActive) {
            // Scores of the first half pair up with the second half by role; every other
            // score standing once in the second half must be allowed as a single.
            int next = 0;
            for (std::uint16_t m = present; m; m &= m - 1) {
                const int sc = std::countr_zero(m);
                if (sc > next) acc &= w.rwSingles[next][sc - 1];
                next = sc + 1;
                const RwRole role = Halves.twiceScore[f] == sc ? Twice
                                    : Halves.lastScore[f] == sc ? OnceAtBorder
                                                                : OnceInside;
                acc &= w.rwWith[sc][role];
            }
            if (next < 16) acc &= w.rwSingles[next][15];
        }

        if (!AnyBit(acc)) continue;
        if (!visit(f, acc)) break;
    }
    return message;
}

FilterRunResult FilterRun(const FilterSettings& s, CandidateStore& store) {
    FilterRunResult result;
    std::int32_t count = 0;
    result.message = ForEachPassingSet(s, [&](int f, const HalfSet& acc) {
        const int n = acc.Count();
        if (count < StoreCapacity) {
            std::int32_t k = count;
            for (int word = 0; word < HalfSetWords && k < StoreCapacity; ++word)
                for (std::uint64_t bits = acc.words[word]; bits && k < StoreCapacity; bits &= bits - 1)
                    WriteRecord(store, ++k, f, 64 * word + std::countr_zero(bits));
        }
        count += n;
        return true;
    });
    if (result.valid()) result.CandidateCount = count;
    return result;
}

}  // namespace kombinator

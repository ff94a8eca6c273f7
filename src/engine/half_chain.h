#pragma once
// The pieces of the fast FilterRun that the funnel shares: what each half of a Combination is,
// cross tests cached per key of the first half, and the score sets of the preferred results
// and RW templates. A Combination is a first half (Positions 1-3) and a second half
// (Positions 4-6), each three ScoreIndexes packed into 12 bits.

#include <array>
#include <bit>
#include <cstdint>

#include "model/combination.h"
#include "model/filter_settings.h"
#include "model/half_set.h"
#include "model/work_signs.h"

namespace kombinator::half_chain {

inline constexpr int NoScore = 255;

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

inline constexpr HalfTables Halves = MakeHalfTables();

inline constexpr int SignKeys = 27, GoalKeys = 100, PnKeys = 16, CountKeys = 64;

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

enum RwRole { OnceInside = 0, OnceAtBorder = 1, Twice = 2 };

inline WorkSigns SignsOfKeys(int keyF, int keyS) {
    return WorkSigns{static_cast<std::uint8_t>(keyF / 9), static_cast<std::uint8_t>(keyF / 3 % 3),
                     static_cast<std::uint8_t>(keyF % 3), static_cast<std::uint8_t>(keyS / 9),
                     static_cast<std::uint8_t>(keyS / 3 % 3), static_cast<std::uint8_t>(keyS % 3)};
}

inline bool ValidCountKey(int k) { return k % 4 + k / 4 % 4 + k / 16 <= 3; }
inline std::array<int, 4> CountsOfKey(int k) { return {k % 4, k / 4 % 4, k / 16, 3 - k % 4 - k / 4 % 4 - k / 16}; }

// A Combination holding the half's three scores from firstPosition on, zeros elsewhere.
inline Combination HalfCombination(int h, int firstPosition) {
    Combination c;
    c.at(firstPosition) = ScoreFromIndex(h >> 8);
    c.at(firstPosition + 1) = ScoreFromIndex((h >> 4) & 15);
    c.at(firstPosition + 2) = ScoreFromIndex(h & 15);
    return c;
}

inline bool AnyBit(const HalfSet& set) {
    std::uint64_t any = 0;
    for (std::uint64_t word : set.words) any |= word;
    return any != 0;
}


// The score sets of the preferred results and the RW templates, filled once per run.
struct ScoreSets {
    std::array<HalfSet, 16> has;                        // second halves in which the score stands
    std::array<std::array<HalfSet, 3>, 16> rwWith;      // RW cross test for a score of the first half, by role
    std::array<std::array<HalfSet, 16>, 16> rwSingles;  // [i][j]: second-half singles i..j are allowed
};

void PrepareScoreSets(const FilterSettings& s, ScoreSets& w);

// The preferred sets as 16-bit masks of ScoreIndexes.
std::array<std::uint16_t, 3> PreferredMasks(const FilterSettings& s);

// Narrows acc to the second halves with which first half f meets a preferred set;
// `part` is scratch space.
inline void ApplyPreferred(const ScoreSets& w, const std::array<std::uint16_t, 3>& preferred, int f, HalfSet& acc,
                           HalfSet& part) {
    // A set is met when the second half holds what the first half lacks of it;
    // an empty second or third set is not met.
    const std::uint16_t present = Halves.present[f];
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

// Narrows acc by the RW cross test of first half f (each half's own RW test is separate).
inline void ApplyRwCross(const ScoreSets& w, int f, HalfSet& acc) {
    // Scores of the first half pair up with the second half by role; every other
    // score standing once in the second half must be allowed as a single.
    int next = 0;
    for (std::uint16_t m = Halves.present[f]; m; m &= m - 1) {
        const int sc = std::countr_zero(m);
        if (sc > next) acc &= w.rwSingles[next][sc - 1];
        next = sc + 1;
        const RwRole role = Halves.twiceScore[f] == sc ? Twice : Halves.lastScore[f] == sc ? OnceAtBorder : OnceInside;
        acc &= w.rwWith[sc][role];
    }
    if (next < 16) acc &= w.rwSingles[next][15];
}

// The half's own RW test: no score three times, a score twice only as its pattern allows.
bool RwHalfPasses(const FilterSettings& s, int h);

}  // namespace kombinator::half_chain

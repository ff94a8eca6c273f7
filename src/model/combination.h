#pragma once
// The value types every part of Kombinator passes around: scores, signs, Combinations.

#include <array>
#include <cstdint>

namespace kombinator {

inline constexpr int PositionCount = 6;
inline constexpr int ScoreCount = 16;                 // 4 home goal counts x 4 away goal counts
inline constexpr std::int32_t CombinationCount = 16777216;  // 4^12

struct MatchScore {
    std::uint8_t home = 0;  // 0..3
    std::uint8_t away = 0;  // 0..3
    friend bool operator==(const MatchScore&, const MatchScore&) = default;
};

// 4 x home + away: the order of every 16-entry score table.
constexpr int ScoreIndex(MatchScore s) { return 4 * s.home + s.away; }
constexpr MatchScore ScoreFromIndex(int index) {
    return MatchScore{static_cast<std::uint8_t>(index / 4), static_cast<std::uint8_t>(index % 4)};
}

// 1 home win, 0 draw, 2 away win.
constexpr std::uint8_t OutcomeSign(MatchScore s) {
    return s.home > s.away ? 1 : (s.home == s.away ? 0 : 2);
}
// Column of a sign in the type grid and on screen: "1", "0", "2".
constexpr int SignColumn(std::uint8_t sign) { return sign == 1 ? 0 : (sign == 0 ? 1 : 2); }

// Six MatchScores; positions are 1-based in the documentation, scores[0] is Position 1.
struct Combination {
    std::array<MatchScore, PositionCount> scores{};
    MatchScore& at(int position) { return scores[position - 1]; }
    const MatchScore& at(int position) const { return scores[position - 1]; }
    friend bool operator==(const Combination&, const Combination&) = default;
};

// Index of a Combination in the canonical order: the 12-digit base-4 number home1 away1 ... away6.
constexpr std::uint32_t CanonicalIndex(const Combination& c) {
    std::uint32_t n = 0;
    for (const MatchScore& s : c.scores) n = n * 16 + static_cast<std::uint32_t>(ScoreIndex(s));
    return n;
}
constexpr Combination CombinationFromCanonical(std::uint32_t n) {
    Combination c;
    for (int p = PositionCount - 1; p >= 0; --p) {
        c.scores[p] = ScoreFromIndex(static_cast<int>(n % 16));
        n /= 16;
    }
    return c;
}

// The stored form: 12 bytes, home then away goals of Positions 1..6.
using CombinationRecord = std::array<std::uint8_t, 12>;

constexpr CombinationRecord ToRecord(const Combination& c) {
    CombinationRecord r{};
    for (int p = 0; p < PositionCount; ++p) {
        r[2 * p] = c.scores[p].home;
        r[2 * p + 1] = c.scores[p].away;
    }
    return r;
}
constexpr Combination FromRecord(const CombinationRecord& r) {
    Combination c;
    for (int p = 0; p < PositionCount; ++p) c.scores[p] = MatchScore{r[2 * p], r[2 * p + 1]};
    return c;
}

// Number of Positions in which two Combinations have the same exact score (0..6).
constexpr int AgreeCount(const Combination& a, const Combination& b) {
    int n = 0;
    for (int p = 0; p < PositionCount; ++p) n += a.scores[p] == b.scores[p] ? 1 : 0;
    return n;
}

}  // namespace kombinator

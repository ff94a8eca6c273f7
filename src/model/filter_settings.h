#pragma once
// Every user constraint of the filter editor in one object of flat byte tables.
// A flag is 0 or 1, a TypeMark 0 (not allowed), 1 (basic type) or 2 (additional type).
// Position-indexed tables are 1-based: entry 0 is unused and stays 0.

#include <array>
#include <cstdint>

namespace kombinator {

using Flag = std::uint8_t;

enum TypeMark : std::uint8_t { NotAllowed = 0, BasicType = 1, AdditionalType = 2 };
enum RwPattern : int { AdjacentPair = 0, SeparatePair = 1, Single = 2 };

struct FilterSettings {
    // Type grid, always in force: TypeMarks[p][column], column 0 sign "1", 1 sign "0", 2 sign "2".
    std::array<std::array<std::uint8_t, 3>, 7> TypeMarks{};

    // Tp-Td relations: RelationTicked[k] is the checked state of CheckBox k (1..7), kept
    // whether or not the box is enabled; the box for TpCount t is 7 - t.
    std::array<Flag, 8> RelationTicked{};

    // RI templates: RiTemplate[ones][draws]; only entries with ones + draws <= 6 have a box.
    Flag RiActive = 0;
    std::array<std::array<Flag, 7>, 7> RiTemplate{};

    // RJ templates, entries 1..4: one run of three, two runs of two, one run of two, no run.
    Flag RjDrawActive = 0;
    Flag RjTwoActive = 0;
    std::array<Flag, 5> RjDrawTemplate{};
    std::array<Flag, 5> RjTwoTemplate{};

    // Results per position: ScoreFilterActive[p], ScoreAllowed[p][ScoreIndex].
    std::array<Flag, 7> ScoreFilterActive{};
    std::array<std::array<Flag, 16>, 7> ScoreAllowed{};

    // Goal ranges, always in force (the values the window reads from its edits).
    std::uint8_t TotalGoalsFrom = 14, TotalGoalsTo = 18;
    std::uint8_t HomeGoalsFrom = 7, HomeGoalsTo = 9;
    std::uint8_t AwayGoalsFrom = 7, AwayGoalsTo = 9;

    // P-N templates, indexed by the number of even goal counts.
    Flag PnActive = 0;
    std::array<Flag, 13> PnOverall{};
    std::array<Flag, 7> PnHomeBlock{};
    std::array<Flag, 7> PnAwayBlock{};

    // Preferred results (RadioGroup10): PreferredScores[set 0..2][ScoreIndex] for sets 1..3.
    Flag PreferredActive = 0;
    std::array<std::array<Flag, 16>, 3> PreferredScores{};

    // RW templates (RadioGroup11): RwTemplate[3 x ScoreIndex + RwPattern].
    Flag RwActive = 0;
    std::array<Flag, 48> RwTemplate{};

    // Block goal counts (RadioGroup12, RadioGroup13): [6 x goal number + number of positions].
    Flag HomeBlockActive = 0;
    Flag AwayBlockActive = 0;
    std::array<Flag, 24> HomeBlockCounts{};
    std::array<Flag, 24> AwayBlockCounts{};

    // Block G / Block D (RadioGroup14, RadioGroup15): signs [4 x ones + draws];
    // ranges TotalFrom, TotalTo, HomeFrom, HomeTo, AwayFrom, AwayTo over the block's three positions.
    Flag BlockGActive = 0;
    Flag BlockDActive = 0;
    std::array<Flag, 16> BlockGSigns{};
    std::array<Flag, 16> BlockDSigns{};
    std::array<std::uint8_t, 6> BlockGRange{7, 9, 3, 5, 3, 5};
    std::array<std::uint8_t, 6> BlockDRange{7, 9, 3, 5, 3, 5};

    friend bool operator==(const FilterSettings&, const FilterSettings&) = default;
};

// D: the number of Positions with at least one additional type.
inline int AdditionalTypePositions(const FilterSettings& s) {
    int d = 0;
    for (int p = 1; p <= 6; ++p)
        if (s.TypeMarks[p][0] == AdditionalType || s.TypeMarks[p][1] == AdditionalType ||
            s.TypeMarks[p][2] == AdditionalType)
            ++d;
    return d;
}

// Relation box k (1..7) is enabled exactly when k <= D + 1 and D > 0.
inline bool RelationBoxEnabled(const FilterSettings& s, int k) {
    const int d = AdditionalTypePositions(s);
    return d > 0 && k <= d + 1;
}

// RelationsActive: CheckBox1 is enabled.
inline bool RelationsActive(const FilterSettings& s) { return AdditionalTypePositions(s) > 0; }

// RelationAllowed for TpCount t (0..6): its box 7 - t is enabled and ticked.
inline bool RelationAllowed(const FilterSettings& s, int tpCount) {
    const int k = 7 - tpCount;
    return RelationBoxEnabled(s, k) && s.RelationTicked[k] != 0;
}

}  // namespace kombinator

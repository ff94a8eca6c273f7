#pragma once
// "Some member shares at least L exact scores with this Combination", answered by look-ups:
// one bitmap per set of L Positions, indexed by the scores on those Positions.

#include <array>
#include <cstdint>
#include <vector>

namespace kombinator {

class CoverageBitmaps {
public:
    // level: 3..6, the number of exact scores that make a member cover a Combination.
    explicit CoverageBitmaps(int level);

    int Level() const { return level_; }
    // Forgets every member.
    void Clear();
    // True when an added member agrees with the Combination (its canonical index) in >= Level Positions.
    bool Covers(std::uint32_t canonical) const;
    void Add(std::uint32_t canonical);

private:
    std::uint32_t Projection(int subset, std::uint32_t canonical) const;

    int level_;
    int subsetCount_ = 0;
    // Shifts of the score nibbles of each subset's Positions in a canonical index.
    std::array<std::array<std::uint8_t, 6>, 20> shifts_{};
    std::size_t wordsPerSubset_;
    std::vector<std::uint64_t> bits_;
};

}  // namespace kombinator

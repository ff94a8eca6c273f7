#include "generator/coverage_bitmaps.h"

#include <algorithm>
#include <bit>

#include "model/combination.h"

namespace kombinator {

CoverageBitmaps::CoverageBitmaps(int level)
    : level_(level), wordsPerSubset_((std::size_t{1} << (4 * level)) / 64) {
    for (unsigned mask = 0; mask < 64; ++mask) {
        if (std::popcount(mask) != level) continue;
        int j = 0;
        for (int p = 0; p < PositionCount; ++p)
            if (mask & (1u << p)) shifts_[static_cast<std::size_t>(subsetCount_)][static_cast<std::size_t>(j++)] =
                static_cast<std::uint8_t>(4 * (PositionCount - 1 - p));
        ++subsetCount_;
    }
    bits_.assign(wordsPerSubset_ * static_cast<std::size_t>(subsetCount_), 0);
}

void CoverageBitmaps::Clear() { std::fill(bits_.begin(), bits_.end(), 0); }

std::uint32_t CoverageBitmaps::Projection(int subset, std::uint32_t canonical) const {
    const auto& s = shifts_[static_cast<std::size_t>(subset)];
    std::uint32_t index = 0;
    for (int j = 0; j < level_; ++j) index = (index << 4) | ((canonical >> s[static_cast<std::size_t>(j)]) & 15u);
    return index;
}

bool CoverageBitmaps::Covers(std::uint32_t canonical) const {
    const std::uint64_t* words = bits_.data();
    for (int k = 0; k < subsetCount_; ++k, words += wordsPerSubset_) {
        const std::uint32_t index = Projection(k, canonical);
        if (words[index >> 6] >> (index & 63) & 1u) return true;
    }
    return false;
}

void CoverageBitmaps::Add(std::uint32_t canonical) {
    std::uint64_t* words = bits_.data();
    for (int k = 0; k < subsetCount_; ++k, words += wordsPerSubset_) {
        const std::uint32_t index = Projection(k, canonical);
        words[index >> 6] |= std::uint64_t{1} << (index & 63);
    }
}

}  // namespace kombinator

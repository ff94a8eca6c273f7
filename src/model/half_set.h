#pragma once
// HalfSet: one bit per half of a Combination (three Positions, 4,096 values), bit h for half h.

#include <array>
#include <bit>
#include <cstdint>

namespace kombinator {

inline constexpr int HalfCount = 4096;
inline constexpr int HalfSetWords = HalfCount / 64;

struct HalfSet {
    std::array<std::uint64_t, HalfSetWords> words;

    void Clear() { words.fill(0); }
    void Fill() { words.fill(~std::uint64_t{0}); }
    void Set(int h) { words[h >> 6] |= std::uint64_t{1} << (h & 63); }
    bool Test(int h) const { return (words[h >> 6] >> (h & 63)) & 1; }
    HalfSet& operator&=(const HalfSet& o) {
        for (int i = 0; i < HalfSetWords; ++i) words[i] &= o.words[i];
        return *this;
    }
    HalfSet& operator|=(const HalfSet& o) {
        for (int i = 0; i < HalfSetWords; ++i) words[i] |= o.words[i];
        return *this;
    }
    int Count() const {
        int n = 0;
        for (std::uint64_t w : words) n += std::popcount(w);
        return n;
    }
};

}  // namespace kombinator

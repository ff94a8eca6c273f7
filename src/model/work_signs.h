#pragma once
// WorkSigns: the OutcomeSigns of the six Positions of the Combination under test.

#include <array>
#include <cstdint>

#include "model/combination.h"

namespace kombinator {

// signs[0] is Position 1.
using WorkSigns = std::array<std::uint8_t, PositionCount>;

constexpr WorkSigns SignsOf(const Combination& c) {
    WorkSigns w{};
    for (int p = 0; p < PositionCount; ++p) w[p] = OutcomeSign(c.scores[p]);
    return w;
}

}  // namespace kombinator

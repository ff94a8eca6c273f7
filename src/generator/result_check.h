#pragma once
// The result check: six real results against every line of the SystemList, hits 6, 5, 4 and 3.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/runtime_errors.h"

namespace kombinator {

inline constexpr int ResultEditCount = 12;

struct HitList {
    std::int32_t count = 0;
    std::vector<std::string> lista;  // line numbers n, counted from 1
    std::vector<std::string> kupon;  // "coupon.row" of each of those lines
};

struct ResultCheck {
    bool ok = false;
    std::string message;  // when !ok: the message to show; nothing else may change
    MessageKind messageKind = MessageKind::ProgramMessage;
    bool badLine = false;  // when !ok: the message is about a line of the system, not the results
    // hits[0] lists the lines with 6 hits, hits[1] with 5, hits[2] with 4, hits[3] with 3.
    std::array<HitList, 4> hits;
    bool sound = false;  // some line has six hits: "Gong.wav" is played
    const HitList& ForHits(int hitCount) const { return hits[static_cast<std::size_t>(6 - hitCount)]; }
};

// editTexts: the twelve result edits in the order home 1, away 1, home 2, ..., away 6.
// Every line is read before anything is counted, so a line without a digit at one of its twelve
// places gives the conversion message and no partial result.
ResultCheck CheckResults(const std::array<std::string, ResultEditCount>& editTexts,
                         const std::vector<std::string>& systemList);

}  // namespace kombinator

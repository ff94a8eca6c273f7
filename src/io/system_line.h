#pragma once
// The SystemLine: the 30-character text of one Combination, and the reading of its digits.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "model/combination.h"

namespace kombinator {

inline constexpr int SystemLineLength = 30;
inline constexpr int LinesPerCoupon = 5;

// Places (counted from 1) of the home and away digits of Positions 1..6: 5p-4 and 5p-2.
inline constexpr std::array<int, 12> SystemLineDigitPlaces = {1, 3, 6, 8, 11, 13, 16, 18, 21, 23, 26, 28};

// "h-a  " for each Position: "1-0  2-2  0-3  1-1  3-0  0-0  ".
std::string FormatSystemLine(const Combination& c);

// The twelve digits of a line (home 1, away 1, ..., away 6), each 0..9.
struct SystemLineDigits {
    bool ok = false;
    std::array<std::uint8_t, 12> digits{};
    // When !ok: the conversion message for the first place without a decimal digit,
    // naming the character there, or nothing when the line ends before that place.
    std::string error;
};

// Reads the characters at the twelve digit places; every other character is ignored.
SystemLineDigits ReadSystemLineDigits(std::string_view line);

// Number of Positions whose digits equal the given scores exactly (0..6); a digit 4..9 never does.
int HitCount(const std::array<std::uint8_t, 12>& digits, const Combination& results);

// "coupon.row" of line n (counted from 1), five lines to a coupon: line 7 is "2.2".
std::string CouponRowText(std::int32_t lineNumber);

}  // namespace kombinator

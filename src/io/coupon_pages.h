#pragma once
// Coupon printing as data: for each printed page, the texts to draw and where, in drawing order.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "io/offset_files.h"

namespace kombinator {

inline constexpr int CouponRows = 24;     // 4 goal counts x 6 Positions
inline constexpr int CouponColumns = 10;  // home and away column of each of the five lines
inline constexpr std::array<int, 4> ZColumns = {3, 5, 7, 9};  // "Z1" .. "Z4"

// Device units; 64 bits so that any offsets read from files place a text without overflow.
struct CouponText {
    std::int64_t x = 0;
    std::int64_t y = 0;
    std::string text;  // the coupon number or "TEST", "***" or "$$$"
    friend bool operator==(const CouponText&, const CouponText&) = default;
};
using CouponPage = std::vector<CouponText>;

// Top-left point of the mark of cell (row, column); row 4(p-1)+g, column 2s+side.
CouponText CouponCell(const PrintSettings& settings, int row, int column, std::string text = "***");
// The "$$$" mark of the Z row in column ZColumns[zChoice].
CouponText CouponZMark(const PrintSettings& settings, int zChoice);

struct CouponPages {
    bool ok = false;
    std::string message;  // when !ok: the first failing check's message; nothing is printed
    MessageKind messageKind = MessageKind::ProgramMessage;
    bool badLine = false;  // when !ok: the message is about a line of the range, not the range itself
    std::vector<CouponPage> pages;
};

// The pages of coupons from..to of the SystemList (edit texts of "Od" and "Do", checked in the
// program's order against the blanks the list needs) with the Z mark of RadioGroup19's item
// zChoice (0..3). Every line of the range is read before any page is made.
CouponPages BuildCouponPages(const std::vector<std::string>& systemList, std::string_view fromText,
                             std::string_view toText, int zChoice, const PrintSettings& settings);

// The calibration page: "TEST", all 240 marks and the four Z marks.
CouponPage BuildTestPage(const PrintSettings& settings);

}  // namespace kombinator

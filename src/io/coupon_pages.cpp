#include "io/coupon_pages.h"

#include <optional>

#include "io/system_line.h"
#include "model/runtime_errors.h"
#include "model/strict_int.h"

namespace kombinator {

CouponText CouponCell(const PrintSettings& s, int row, int column, std::string text) {
    return CouponText{std::int64_t{s.PX1} + std::int64_t{column} * s.X1X2,
                      std::int64_t{s.PY1} + std::int64_t{row} * s.Y1Y2 + std::int64_t{row / 4} * s.PYK,
                      std::move(text)};
}

CouponText CouponZMark(const PrintSettings& s, int zChoice) {
    const std::int64_t column = ZColumns[static_cast<std::size_t>(zChoice)];
    return CouponText{std::int64_t{s.PX1} + column * s.X1X2,
                      std::int64_t{s.PY1} + std::int64_t{23} * s.Y1Y2 + std::int64_t{5} * s.PYK + s.PYZ, "$$$"};
}

CouponPages BuildCouponPages(const std::vector<std::string>& systemList, std::string_view fromText,
                             std::string_view toText, int zChoice, const PrintSettings& settings) {
    CouponPages result;
    fromText = TrimBlanks(fromText);
    toText = TrimBlanks(toText);
    if (fromText.empty() || toText.empty()) {
        result.message = "Nie ustalony zakres wydruku !";
        return result;
    }
    const std::optional<std::int32_t> from = ParseStrictInt(fromText);
    if (!from) {
        result.message = ConversionErrorMessage(fromText);
        result.messageKind = MessageKind::RuntimeReport;
        return result;
    }
    const std::optional<std::int32_t> to = ParseStrictInt(toText);
    if (!to) {
        result.message = ConversionErrorMessage(toText);
        result.messageKind = MessageKind::RuntimeReport;
        return result;
    }
    // Coupons are numbered from 1; a negative number names no coupon either.
    if (*from <= 0) {
        result.message = "Kupon zerowy nie istnieje !";
        return result;
    }
    if (*from > *to) {
        result.message = "Zakres dolny przewyższa zakres górny !";
        return result;
    }
    const std::int64_t n = static_cast<std::int64_t>(systemList.size());
    if (BlanksNeeded(n) < *to) {
        result.message = "Górny zakres poza dopuszczalnym limitem !";
        return result;
    }
    if (zChoice < 0 || zChoice >= static_cast<int>(ZColumns.size())) zChoice = 0;

    // Read every line of the range first, so that a bad line stops printing before any page.
    const std::size_t firstLine = static_cast<std::size_t>(*from - 1) * LinesPerCoupon;
    const std::size_t endLine = std::min(static_cast<std::size_t>(*to) * LinesPerCoupon, systemList.size());
    std::vector<std::array<std::uint8_t, 12>> digits;
    digits.reserve(endLine - firstLine);
    for (std::size_t i = firstLine; i < endLine; ++i) {
        const SystemLineDigits d = ReadSystemLineDigits(systemList[i]);
        if (!d.ok) {
            result.message = d.error;
            result.messageKind = MessageKind::RuntimeReport;
            result.badLine = true;
            return result;
        }
        digits.push_back(d.digits);
    }

    result.pages.reserve(static_cast<std::size_t>(*to - *from + 1));
    for (std::int32_t coupon = *from; coupon <= *to; ++coupon) {
        CouponPage page;
        page.push_back(CouponText{10, settings.PNR, std::to_string(coupon)});
        bool grid[CouponRows][CouponColumns] = {};
        const std::size_t first = static_cast<std::size_t>(coupon - 1) * LinesPerCoupon;
        for (std::size_t slot = 0; slot < LinesPerCoupon && first + slot < endLine; ++slot) {
            const auto& d = digits[first + slot - firstLine];
            for (int p = 0; p < PositionCount; ++p)
                for (int side = 0; side < 2; ++side) {
                    const int g = d[static_cast<std::size_t>(2 * p + side)];
                    // A digit 4..9 has no box: it marks nothing.
                    if (g <= 3) grid[4 * p + g][2 * slot + static_cast<std::size_t>(side)] = true;
                }
        }
        for (int r = 0; r < CouponRows; ++r)
            for (int c = 0; c < CouponColumns; ++c)
                if (grid[r][c]) page.push_back(CouponCell(settings, r, c));
        page.push_back(CouponZMark(settings, zChoice));
        result.pages.push_back(std::move(page));
    }
    result.ok = true;
    return result;
}

CouponPage BuildTestPage(const PrintSettings& settings) {
    CouponPage page;
    page.push_back(CouponText{10, settings.PNR, "TEST"});
    for (int r = 0; r < CouponRows; ++r)
        for (int c = 0; c < CouponColumns; ++c) page.push_back(CouponCell(settings, r, c));
    for (int z = 0; z < static_cast<int>(ZColumns.size()); ++z) page.push_back(CouponZMark(settings, z));
    return page;
}

}  // namespace kombinator

#include "io/system_line.h"

#include "model/runtime_errors.h"

namespace kombinator {

std::string FormatSystemLine(const Combination& c) {
    std::string line;
    line.reserve(SystemLineLength);
    for (const MatchScore& s : c.scores) {
        line += static_cast<char>('0' + s.home);
        line += '-';
        line += static_cast<char>('0' + s.away);
        line += "  ";
    }
    return line;
}

SystemLineDigits ReadSystemLineDigits(std::string_view line) {
    SystemLineDigits result;
    for (std::size_t i = 0; i < SystemLineDigitPlaces.size(); ++i) {
        const std::size_t at = static_cast<std::size_t>(SystemLineDigitPlaces[i] - 1);
        if (at >= line.size()) {
            result.error = ConversionErrorMessage("");
            return result;
        }
        const char ch = line[at];
        if (ch < '0' || ch > '9') {
            result.error = ConversionErrorMessage(std::string_view(&ch, 1));
            return result;
        }
        result.digits[i] = static_cast<std::uint8_t>(ch - '0');
    }
    result.ok = true;
    return result;
}

int HitCount(const std::array<std::uint8_t, 12>& digits, const Combination& results) {
    int hits = 0;
    for (int p = 0; p < PositionCount; ++p)
        if (digits[2 * p] == results.scores[p].home && digits[2 * p + 1] == results.scores[p].away) ++hits;
    return hits;
}

std::string CouponRowText(std::int32_t lineNumber) {
    const std::int32_t k = lineNumber - 1;
    return std::to_string(k / LinesPerCoupon + 1) + "." + std::to_string(k % LinesPerCoupon + 1);
}

}  // namespace kombinator

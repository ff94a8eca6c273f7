#include "generator/result_check.h"

#include <optional>

#include "model/combination.h"
#include "io/system_line.h"
#include "model/runtime_errors.h"
#include "model/strict_int.h"

namespace kombinator {

ResultCheck CheckResults(const std::array<std::string, ResultEditCount>& editTexts,
                         const std::vector<std::string>& systemList) {
    ResultCheck check;
    std::array<std::int32_t, ResultEditCount> goals{};
    for (std::size_t i = 0; i < goals.size(); ++i) {
        const std::string_view text = TrimBlanks(editTexts[i]);
        if (text.empty()) {
            check.message = "Wprowadź najpierw wszystkie wyniki !";
            return check;
        }
        const std::optional<std::int32_t> value = ParseStrictInt(text);
        if (!value) {
            check.message = ConversionErrorMessage(text);
            check.messageKind = MessageKind::RuntimeReport;
            return check;
        }
        goals[i] = *value;
    }
    Combination results;
    for (std::size_t i = 0; i < goals.size(); ++i) {
        if (goals[i] < 0 || goals[i] > 3) {
            check.message = "Liczba bramek w każdej pozycji nie może przekraczać trzech  !";
            return check;
        }
        MatchScore& s = results.scores[i / 2];
        (i % 2 == 0 ? s.home : s.away) = static_cast<std::uint8_t>(goals[i]);
    }

    std::vector<std::uint8_t> hitCounts;
    hitCounts.reserve(systemList.size());
    for (const std::string& line : systemList) {
        const SystemLineDigits digits = ReadSystemLineDigits(line);
        if (!digits.ok) {
            check.message = digits.error;
            check.messageKind = MessageKind::RuntimeReport;
            check.badLine = true;
            return check;
        }
        hitCounts.push_back(static_cast<std::uint8_t>(HitCount(digits.digits, results)));
    }
    for (std::size_t i = 0; i < hitCounts.size(); ++i) {
        if (hitCounts[i] < 3) continue;
        HitList& list = check.hits[static_cast<std::size_t>(6 - hitCounts[i])];
        const std::int32_t n = static_cast<std::int32_t>(i + 1);
        ++list.count;
        list.lista.push_back(std::to_string(n));
        list.kupon.push_back(CouponRowText(n));
    }
    check.sound = check.hits[0].count > 0;
    check.ok = true;
    return check;
}

}  // namespace kombinator

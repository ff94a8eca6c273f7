// Every refusal of the final stage's inputs says which box it belongs in: the program's own
// sentences are plain messages, a text that is not a whole number is the runtime's report.

#include <array>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model/stores.h"
#include "generator/result_check.h"
#include "generator/simulation.h"
#include "io/coupon_pages.h"
#include "io/offset_files.h"

namespace kombinator {
namespace {

struct Refusal {
    const char* name;
    std::function<std::pair<std::string, MessageKind>()> produce;
    const char* message;
    MessageKind kind;
};

std::pair<std::string, MessageKind> StartWith(const char* count, const char* seconds) {
    static CandidateStore candidates;
    static SystemStore system;
    Simulation simulation([] { return 0u; });
    const Simulation::StartResult r = simulation.Start(count, seconds, 0, candidates, 1, system);
    return {r.message, r.messageKind};
}

std::pair<std::string, MessageKind> CheckWith(const char* firstEdit, const std::vector<std::string>& lines) {
    std::array<std::string, ResultEditCount> edits;
    edits.fill("0");
    edits[0] = firstEdit;
    const ResultCheck r = CheckResults(edits, lines);
    return {r.message, r.messageKind};
}

std::pair<std::string, MessageKind> OffsetsWith(const char* first) {
    std::array<std::string, PrintOffsetCount> edits;
    edits.fill("0");
    edits[0] = first;
    const PrintSettingsRead r = ReadPrintSettings(edits);
    return {r.message, r.messageKind};
}

std::pair<std::string, MessageKind> PagesWith(const char* from, const std::vector<std::string>& lines) {
    const CouponPages r = BuildCouponPages(lines, from, "1", 0, PrintSettings{});
    return {r.message, r.messageKind};
}

TEST(MessageKind, EachRefusalCarriesTheBoxItIsShownIn) {
    const std::string line = "1-0  2-2  0-3  1-1  3-0  0-0  ";
    const Refusal cases[] = {
        {"simulation, no count", [] { return StartWith("", "5"); }, "Nie ustalona liczba kombinacji w systemie !",
         MessageKind::ProgramMessage},
        {"simulation, count not a number", [] { return StartWith("1 2", "5"); }, "'1 2' is not a valid integer value",
         MessageKind::RuntimeReport},
        {"simulation, seconds not a number", [] { return StartWith("3", "x"); }, "'x' is not a valid integer value",
         MessageKind::RuntimeReport},
        {"check, result missing", [] { return CheckWith("", {}); }, "Wprowadź najpierw wszystkie wyniki !",
         MessageKind::ProgramMessage},
        {"check, goals above three", [] { return CheckWith("4", {}); },
         "Liczba bramek w każdej pozycji nie może przekraczać trzech  !", MessageKind::ProgramMessage},
        {"check, result not a number", [] { return CheckWith("-", {}); }, "'-' is not a valid integer value",
         MessageKind::RuntimeReport},
        {"check, a line that is no system line", [] { return CheckWith("1", {"1-0"}); }, nullptr,
         MessageKind::RuntimeReport},
        {"offsets, one missing", [] { return OffsetsWith(""); }, "Nie ustalona pozycja wydruku: PX1 !",
         MessageKind::ProgramMessage},
        {"offsets, not a number", [] { return OffsetsWith("1 2"); }, "'1 2' is not a valid integer value",
         MessageKind::RuntimeReport},
        {"pages, no range", [line] { return PagesWith("", {line}); }, "Nie ustalony zakres wydruku !",
         MessageKind::ProgramMessage},
        {"pages, range not a number", [line] { return PagesWith("a", {line}); }, "'a' is not a valid integer value",
         MessageKind::RuntimeReport},
        {"pages, a line that is no system line", [] { return PagesWith("1", {"x"}); }, nullptr,
         MessageKind::RuntimeReport},
    };
    for (const Refusal& c : cases) {
        const auto [message, kind] = c.produce();
        if (c.message) {
            EXPECT_EQ(message, c.message) << c.name;
        }
        EXPECT_FALSE(message.empty()) << c.name;
        EXPECT_EQ(kind, c.kind) << c.name;
    }
}

}  // namespace
}  // namespace kombinator

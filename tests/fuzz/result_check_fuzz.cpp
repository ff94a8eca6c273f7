// The result check: twelve edit texts and a system list cut from the input. Every outcome is a
// clean refusal or counts that agree with the lists, each line counted in at most one class.
#include <array>
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "generator/result_check.h"
#include "io/system_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kombinator;
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    // Twelve edits separated by '|', then the system file's bytes.
    std::array<std::string, ResultEditCount> edits;
    for (std::string& edit : edits) edit = std::string(fuzz::TakeField(rest, '|'));
    const std::vector<std::string> lines = SplitSystemText(rest);
    const ResultCheck check = CheckResults(edits, lines);
    if (!check.ok) {
        FUZZ_CHECK(!check.message.empty());
        for (const HitList& h : check.hits) FUZZ_CHECK(h.count == 0 && h.lista.empty() && h.kupon.empty());
        return 0;
    }
    std::set<std::string> seen;
    for (int hits = 6; hits >= 3; --hits) {
        const HitList& h = check.ForHits(hits);
        FUZZ_CHECK(h.count == static_cast<std::int32_t>(h.lista.size()));
        FUZZ_CHECK(h.lista.size() == h.kupon.size());
        for (std::size_t i = 0; i < h.lista.size(); ++i) {
            const long n = std::stol(h.lista[i]);
            FUZZ_CHECK(n >= 1 && static_cast<std::size_t>(n) <= lines.size());
            FUZZ_CHECK(h.kupon[i] == std::to_string((n - 1) / 5 + 1) + "." + std::to_string((n - 1) % 5 + 1));
            FUZZ_CHECK(seen.insert(h.lista[i]).second);
        }
    }
    FUZZ_CHECK(check.sound == (check.ForHits(6).count > 0));
    return 0;
}

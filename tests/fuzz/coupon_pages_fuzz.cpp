// The coupon pages: a range, a Z choice, seven offsets and a system list cut from the input.
// Every outcome is a clean refusal or one page per coupon of the range: its number first, at most
// twelve marks for each of its (at most five) lines (a digit 4 to 9 marks nothing), the Z mark last.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "io/coupon_pages.h"
#include "io/system_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kombinator;
    if (size < 1 + 7 * 4) return 0;
    const int zChoice = data[0] % 4;
    PrintSettings settings;
    for (int i = 0; i < PrintOffsetCount; ++i) {
        std::int32_t v = 0;
        std::memcpy(&v, data + 1 + 4 * i, 4);
        settings[i] = v;
    }
    std::string_view rest(reinterpret_cast<const char*>(data) + 29, size - 29);
    const std::string from(fuzz::TakeField(rest, '|'));
    const std::string to(fuzz::TakeField(rest, '|'));
    const std::vector<std::string> lines = SplitSystemText(rest);
    const CouponPages pages = BuildCouponPages(lines, from, to, zChoice, settings);
    if (!pages.ok) {
        FUZZ_CHECK(!pages.message.empty() && pages.pages.empty());
        return 0;
    }
    const long long first = std::stoll(from), last = std::stoll(to);
    FUZZ_CHECK(first >= 1 && first <= last);
    FUZZ_CHECK(pages.pages.size() == static_cast<std::size_t>(last - first + 1));
    for (std::size_t p = 0; p < pages.pages.size(); ++p) {
        const CouponPage& page = pages.pages[p];
        FUZZ_CHECK(page.size() >= 2);
        FUZZ_CHECK(page.front().text == std::to_string(first + static_cast<long long>(p)));
        FUZZ_CHECK(page.back() == CouponZMark(settings, zChoice));
        std::size_t marks = 0;
        for (const CouponText& t : page) marks += t.text == "***";
        FUZZ_CHECK(marks == page.size() - 2 && marks <= 60);
    }
    return 0;
}

// kombinator-cli coupons SYSTEMFILE --offsets DIR --from A --to B --z 1..4 | --test:
// every text a print would draw, in drawing order.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/system_options.h"
#include "io/coupon_pages.h"
#include "io/offset_files.h"
#include "io/system_file.h"

namespace kombinator::cli {
namespace {

constexpr const char* Usage = "coupons SYSTEMFILE --offsets DIR --from A --to B [--z 1..4]  |  coupons --offsets DIR --test";

void PrintPage(int number, const CouponPage& page) {
    for (const CouponText& t : page)
        std::printf("page %d %lld %lld %s\n", number, static_cast<long long>(t.x), static_cast<long long>(t.y), t.text.c_str());
}

}  // namespace

int RunCouponsCommand(int argc, char** argv) {
    const OptionList options = ReadOptions(argc, argv, 1, {"offsets", "from", "to", "z"}, {"test"});
    if (!options.error.empty()) return UsageError("coupons", options.error, Usage);
    const bool test = options.flags.count("test") != 0;
    if (!options.Find("offsets")) return UsageError("coupons", "missing --offsets DIR", Usage);
    if (options.positional.size() > 1 || (!test && options.positional.empty()))
        return UsageError("coupons", "one SYSTEMFILE expected", Usage);
    int zChoice = 0;
    if (const std::string* z = options.Find("z")) {
        const std::optional<long long> value = OptionNumber(*z, 1, 4);
        if (!value) return UsageError("coupons", "--z must be 1, 2, 3 or 4", Usage);
        zChoice = static_cast<int>(*value) - 1;
    }

    // The offsets as the program loads them at start-up, stopping at the first fault.
    const PrintSettingsLoad load = LoadPrintSettings(*options.Find("offsets"));
    if (!load.ok) {
        std::fprintf(stderr, "%s\n", load.error.c_str());
        return 2;
    }
    if (test) {
        PrintPage(1, BuildTestPage(load.settings));
        return 0;
    }

    std::vector<std::string> lines;
    const FileResult read = ReadSystemFile(options.positional[0], lines);
    if (!read.ok) {
        std::fprintf(stderr, "%s\n", read.error.c_str());
        return 2;
    }
    const std::string* from = options.Find("from");
    const std::string* to = options.Find("to");
    const CouponPages pages = BuildCouponPages(lines, from ? *from : "", to ? *to : "", zChoice, load.settings);
    if (!pages.ok) {
        std::fprintf(stderr, "%s\n", pages.message.c_str());
        return pages.badLine ? 4 : 3;
    }
    for (std::size_t p = 0; p < pages.pages.size(); ++p) PrintPage(static_cast<int>(p + 1), pages.pages[p]);
    return 0;
}

}  // namespace kombinator::cli

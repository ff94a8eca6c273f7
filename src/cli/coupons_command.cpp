// kombinator-cli coupons SYSTEMFILE --offsets DIR --from A --to B --z 1..4 | --test:
// every text a print would draw, in drawing order.
#include <string>
#include <vector>

#include "cli/cli_common.h"
#include "cli/commands.h"
#include "io/coupon_pages.h"
#include "io/offset_files.h"
#include "io/system_file.h"

namespace kombinator::cli {
namespace {

void PrintPage(int number, const CouponPage& page) {
    const std::string prefix = "page " + std::to_string(number) + " ";
    for (const CouponText& t : page)
        PrintOut(prefix + std::to_string(t.x) + " " + std::to_string(t.y) + " " + t.text);
}

int RunCoupons(const Invocation& call) {
    const bool test = call.Flag("--test");
    const std::string* offsets = call.Value("--offsets");
    if (!offsets) return call.Usage("missing --offsets DIR");
    if (call.positional.size() > 1 || (!test && call.positional.empty())) return call.Usage("one SYSTEMFILE expected");
    int zChoice = 0;
    if (const std::string* z = call.Value("--z")) {
        const std::optional<long long> value = ParseNumber(*z, 1, 4);
        if (!value) return call.Usage("--z must be 1, 2, 3 or 4");
        zChoice = static_cast<int>(*value) - 1;
    }

    // The offsets as the program loads them at start-up, stopping at the first fault.
    const PrintSettingsLoad load = LoadPrintSettings(*offsets);
    if (!load.ok) {
        FileError(load.file, load.error);
        return ExitBadInput;
    }
    if (test) {
        PrintPage(1, BuildTestPage(load.settings));
        return ExitOk;
    }

    const std::string& path = call.positional[0];
    std::vector<std::string> lines;
    const FileResult read = ReadSystemFile(path, lines);
    if (!read.ok) {
        FileError(path, read.error);
        return ExitBadInput;
    }
    const std::string* from = call.Value("--from");
    const std::string* to = call.Value("--to");
    const CouponPages pages = BuildCouponPages(lines, from ? *from : "", to ? *to : "", zChoice, load.settings);
    if (!pages.ok) {
        PrintError(pages.message);
        return pages.badLine ? ExitNoSystem : ExitRefused;
    }
    for (std::size_t p = 0; p < pages.pages.size(); ++p) PrintPage(static_cast<int>(p + 1), pages.pages[p]);
    return ExitOk;
}

}  // namespace

const Command CouponsCommand = {
    "coupons",
    "coupons SYSTEMFILE --offsets DIR --from A --to B [--z 1..4]\n  coupons --offsets DIR --test",
    "List every text that printing coupons A to B of a saved system would draw, placed by\n"
    "the printer offset files in DIR; --test lists the calibration page.",
    {{"--offsets", "DIR"}, {"--from", "A"}, {"--to", "B"}, {"--z", "1..4"}, {"--test", ""}},
    RunCoupons,
};

}  // namespace kombinator::cli

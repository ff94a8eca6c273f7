// kombinator-cli check SYSTEMFILE R1 .. R6: the result check of a saved system.
#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/system_options.h"
#include "generator/result_check.h"
#include "io/system_file.h"

namespace kombinator::cli {
namespace {

constexpr const char* Usage = "check SYSTEMFILE R1 R2 R3 R4 R5 R6   (each result h-a; an empty side or result is an empty edit)";

void PrintEntries(const char* name, const std::vector<std::string>& entries) {
    std::string line = name;
    line += ':';
    for (const std::string& e : entries) line += ' ' + e;
    std::puts(line.c_str());
}

}  // namespace

int RunCheckCommand(int argc, char** argv) {
    const OptionList options = ReadOptions(argc, argv, 1, {});
    if (!options.error.empty()) return UsageError("check", options.error, Usage);
    if (options.positional.empty()) return UsageError("check", "missing SYSTEMFILE", Usage);
    if (options.positional.size() > 7) return UsageError("check", "more than six results", Usage);

    // Each result fills the home and away edit of its Position; what is left out stays empty.
    std::array<std::string, ResultEditCount> edits;
    for (std::size_t r = 1; r < options.positional.size(); ++r) {
        const std::string& result = options.positional[r];
        if (result.empty()) continue;
        const std::size_t hyphen = result.find('-');
        if (hyphen == std::string::npos || hyphen > 1 || result.size() - hyphen - 1 > 1)
            return UsageError("check", "result '" + result + "' is not h-a", Usage);
        edits[2 * (r - 1)] = result.substr(0, hyphen);
        edits[2 * (r - 1) + 1] = result.substr(hyphen + 1);
    }

    std::vector<std::string> lines;
    const FileResult read = ReadSystemFile(options.positional[0], lines);
    if (!read.ok) {
        std::fprintf(stderr, "%s\n", read.error.c_str());
        return 2;
    }
    const ResultCheck check = CheckResults(edits, lines);
    if (!check.ok) {
        std::fprintf(stderr, "%s\n", check.message.c_str());
        return check.badLine ? 4 : 3;
    }
    for (int h = 6; h >= 3; --h) std::printf("Hits%d: %d\n", h, check.ForHits(h).count);
    for (int h = 6; h >= 3; --h) {
        PrintEntries(("Lista" + std::to_string(h)).c_str(), check.ForHits(h).lista);
        PrintEntries(("Kupon" + std::to_string(h)).c_str(), check.ForHits(h).kupon);
    }
    std::printf("Sound: %s\n", check.sound ? "yes" : "no");
    return 0;
}

}  // namespace kombinator::cli

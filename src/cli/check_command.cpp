// kombinator-cli check SYSTEMFILE R1 .. R6: the result check of a saved system.
#include <array>
#include <string>
#include <vector>

#include "cli/cli_common.h"
#include "cli/commands.h"
#include "generator/result_check.h"
#include "io/system_file.h"

namespace kombinator::cli {
namespace {

void PrintEntries(const std::string& name, const std::vector<std::string>& entries) {
    std::string line = name + ':';
    for (const std::string& e : entries) line += ' ' + e;
    PrintOut(line);
}

int RunCheck(const Invocation& call) {
    if (call.positional.empty()) return call.Usage("missing SYSTEMFILE");
    if (call.positional.size() > 7) return call.Usage("more than six results");

    // Each result fills the home and away edit of its Position; what is left out stays empty.
    std::array<std::string, ResultEditCount> edits;
    for (std::size_t r = 1; r < call.positional.size(); ++r) {
        const std::string& result = call.positional[r];
        if (result.empty()) continue;
        const std::size_t hyphen = result.find('-');
        if (hyphen == std::string::npos || hyphen > 1 || result.size() - hyphen - 1 > 1)
            return call.Usage("result '" + result + "' is not h-a");
        edits[2 * (r - 1)] = result.substr(0, hyphen);
        edits[2 * (r - 1) + 1] = result.substr(hyphen + 1);
    }

    const std::string& path = call.positional[0];
    std::vector<std::string> lines;
    const FileResult read = ReadSystemFile(path, lines);
    if (!read.ok) {
        FileError(path, read.error);
        return ExitBadInput;
    }
    const ResultCheck check = CheckResults(edits, lines);
    if (!check.ok) {
        PrintError(check.message);
        return check.badLine ? ExitNoSystem : ExitRefused;
    }
    for (int h = 6; h >= 3; --h) PrintOut("Hits" + std::to_string(h) + ": " + std::to_string(check.ForHits(h).count));
    for (int h = 6; h >= 3; --h) {
        PrintEntries("Lista" + std::to_string(h), check.ForHits(h).lista);
        PrintEntries("Kupon" + std::to_string(h), check.ForHits(h).kupon);
    }
    PrintOut(std::string("Sound: ") + (check.sound ? "yes" : "no"));
    return ExitOk;
}

}  // namespace

const Command CheckCommand = {
    "check",
    "check SYSTEMFILE R1 R2 R3 R4 R5 R6",
    "Check a saved system against the six real results (each h-a; an empty side or result\n"
    "is an empty edit) and list the lines and coupon rows with 6, 5, 4 and 3 hits.",
    {},
    RunCheck,
};

}  // namespace kombinator::cli

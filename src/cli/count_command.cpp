// kombinator-cli count: the FilterRun of a filter profile, as the compute button does it.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli_common.h"
#include "cli/commands.h"
#include "engine/filter_funnel.h"
#include "engine/filter_run.h"
#include "engine/stores.h"
#include "generator/system_line.h"
#include "io/system_file.h"

namespace kombinator::cli {
namespace {

constexpr std::string_view CountUsage = "count PROFILE [--candidates FILE] [--funnel]";

constexpr std::string_view CountHelp =
    "usage: kombinator-cli count PROFILE [--candidates FILE] [--funnel]\n"
    "\n"
    "Runs the filters of the filter profile PROFILE over all 16,777,216 Combinations, as the\n"
    "compute button does, and prints the number that pass:\n"
    "\n"
    "  CandidateCount: N\n"
    "\n"
    "N may be 0, and it may be above 30,000 (only the first 30,000 candidates are kept).\n"
    "\n"
    "  --candidates FILE  also save the kept candidates, records 1 to min(N, 30,000) in\n"
    "                     canonical order, as a system file: one line of 30 characters per\n"
    "                     candidate (\"1-0  2-2  0-3  1-1  3-0  0-0  \"), each ending with CR LF.\n"
    "                     The file is replaced whole or not at all.\n"
    "  --funnel           after the count, one line per step of the filter chain that runs\n"
    "                     with these settings, in the chain's order:\n"
    "                       Funnel: NAME reached R rejected X\n"
    "                     R the Combinations that passed every earlier step, X those of them\n"
    "                     that this step rejects; NAME one of TypeGrid, Relations, RI,\n"
    "                     GoalRanges, RJDraws, RJTwos, Scores, PN, Preferred, RW, HomeBlock,\n"
    "                     AwayBlock, BlockG, BlockD.\n"
    "\n"
    "Exit status: 0 done; 1 the candidates file could not be written; 2 the profile cannot\n"
    "be read or breaks the profile format (the file name and \"line N: reason\" on standard\n"
    "error); 3 the settings are incomplete (the program's own message on standard error);\n"
    "64 bad arguments.\n";

// The run's store lives for the whole process, as in the window.
CandidateStore candidateStore;

}  // namespace

int RunCountCommand(int argc, char** argv) {
    // --funnel stands alone; the rest are read as every command reads them.
    std::vector<char*> rest;
    bool funnel = false;
    for (int i = 0; i < argc; ++i) {
        if (i > 0 && std::string_view(argv[i]) == "--funnel" && !funnel) {
            funnel = true;
            continue;
        }
        rest.push_back(argv[i]);
    }
    const CommandArgs args = ParseCommandArgs(static_cast<int>(rest.size()), rest.data(), {"--candidates"});
    if (args.help && args.error.empty()) {
        std::fputs(CountHelp.data(), stdout);
        return ExitOk;
    }
    if (!args.error.empty()) return UsageError("count", args.error, CountUsage);
    if (args.positional.empty()) return UsageError("count", "missing PROFILE", CountUsage);
    if (args.positional.size() > 1)
        return UsageError("count", "one PROFILE expected, got " + std::to_string(args.positional.size()), CountUsage);
    const std::string& profile = args.positional[0];
    const std::string* candidates = args.Option("--candidates");
    if (candidates != nullptr && SameFile(profile, *candidates))
        return UsageError("count", "the candidates file would replace the profile " + profile, CountUsage);

    FilterSettings settings;
    if (!LoadProfile(profile, settings)) return ExitBadProfile;

    const FilterRunResult run = FilterRun(settings, candidateStore);
    if (!run.valid()) {
        PrintError(run.message);
        return ExitInvalidSettings;
    }
    if (candidates != nullptr) {
        const std::int32_t stored = std::min(run.CandidateCount, StoreCapacity);
        std::vector<std::string> lines;
        lines.reserve(static_cast<std::size_t>(stored));
        for (std::int32_t k = 1; k <= stored; ++k) lines.push_back(FormatSystemLine(candidateStore.At(k)));
        const FileResult written = WriteSystemFile(*candidates, lines);
        if (!written.ok) {
            PrintError(written.error.find(*candidates) != std::string::npos ? written.error
                                                                            : *candidates + ": " + written.error);
            return ExitCannotWrite;
        }
    }
    PrintOut("CandidateCount: " + std::to_string(run.CandidateCount));
    if (funnel) {
        const FilterFunnelResult steps = FilterFunnel(settings);
        std::string out;
        for (const FunnelStep& step : steps.steps)
            out += "Funnel: " + std::string(ChainStepName(step.step)) + " reached " + std::to_string(step.reached) +
                   " rejected " + std::to_string(step.rejected) + "\n";
        std::fputs(out.c_str(), stdout);
    }
    return ExitOk;
}

}  // namespace kombinator::cli

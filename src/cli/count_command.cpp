// kombinator-cli count: the FilterRun of a filter profile, as the compute button does it.
#include <algorithm>
#include <string>
#include <vector>

#include "cli/cli_common.h"
#include "cli/commands.h"
#include "engine/filter_funnel.h"
#include "engine/filter_run.h"
#include "model/stores.h"
#include "io/system_line.h"

namespace kombinator::cli {
namespace {

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

int RunCount(const Invocation& call) {
    if (call.positional.empty()) return call.Usage("missing PROFILE");
    if (call.positional.size() > 1)
        return call.Usage("one PROFILE expected, got " + std::to_string(call.positional.size()));
    const std::string& profile = call.positional[0];
    const std::string* candidates = call.Value("--candidates");
    if (candidates != nullptr && SameFile(profile, *candidates))
        return call.Usage("the candidates file would replace the profile " + profile);

    FilterSettings settings;
    if (!LoadProfile(profile, settings)) return ExitBadInput;

    const FilterRunResult run = FilterRun(settings, candidateStore);
    if (!run.valid()) {
        PrintError(run.message);
        return ExitRefused;
    }
    if (candidates != nullptr) {
        const std::int32_t stored = std::min(run.CandidateCount, StoreCapacity);
        std::vector<std::string> lines;
        lines.reserve(static_cast<std::size_t>(stored));
        for (std::int32_t k = 1; k <= stored; ++k) lines.push_back(FormatSystemLine(candidateStore.At(k)));
        if (const int code = WriteSystemOutput(*candidates, lines)) return code;
    }
    PrintOut("CandidateCount: " + std::to_string(run.CandidateCount));
    if (call.Flag("--funnel")) {
        const FilterFunnelResult steps = FilterFunnel(settings);
        for (const FunnelStep& step : steps.steps)
            PrintOut("Funnel: " + std::string(ChainStepName(step.step)) + " reached " + std::to_string(step.reached) +
                     " rejected " + std::to_string(step.rejected));
    }
    return ExitOk;
}

}  // namespace

const Command CountCommand = {
    "count",
    "count PROFILE [--candidates FILE] [--funnel]",
    "Run the filters of a filter profile and print CandidateCount: N; with --candidates\n"
    "also save the first 30,000 candidates as a system file; with --funnel also print how\n"
    "many Combinations each step of the filter chain receives and rejects.",
    {{"--candidates", "FILE"}, {"--funnel", ""}},
    RunCount,
    CountHelp,
};

}  // namespace kombinator::cli

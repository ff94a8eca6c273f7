// kombinator-cli backtest PROFILE ARCHIVE: the filters of a profile against the real outcomes of
// past rounds, one verdict per round.
#include <cstdio>
#include <string>

#include "cli/cli_common.h"
#include "cli/commands.h"
#include "engine/filter_funnel.h"
#include "io/results_archive.h"

namespace kombinator::cli {
namespace {

constexpr std::string_view BacktestHelp =
    "usage: kombinator-cli backtest PROFILE ARCHIVE\n"
    "\n"
    "Tests the filters of the filter profile PROFILE on the real outcomes of past rounds.\n"
    "ARCHIVE is a results archive: a system file with one round per line (the six results\n"
    "as a line of 30 characters, \"1-0  2-2  0-3  1-1  3-0  0-0  \"), oldest first, as the\n"
    "window's \"Dopisz do archiwum\" keeps it in archiwum.txt. Prints for each line N\n"
    "\n"
    "  N: pass                 the filters keep that outcome\n"
    "  N: rejected by NAME     NAME the first step of the chain that rejects it: TypeGrid,\n"
    "                          Relations, RI, GoalRanges, RJDraws, RJTwos, Scores, PN,\n"
    "                          Preferred, RW, HomeBlock, AwayBlock, BlockG or BlockD\n"
    "\n"
    "and then\n"
    "\n"
    "  Passed: P of T\n"
    "\n"
    "Exit status: 0 done; 2 the profile or the archive cannot be read, or the profile breaks\n"
    "the profile format; 3 the settings are incomplete (the program's own message on\n"
    "standard error); 4 a line of the archive is not a SystemLine (\"ARCHIVE: line N:\" and\n"
    "the conversion message on standard error, nothing on standard output); 64 bad arguments.\n";

int RunBacktest(const Invocation& call) {
    if (call.positional.size() != 2)
        return call.Usage(call.positional.empty() ? "missing PROFILE" : "PROFILE and ARCHIVE expected");
    const std::string& profile = call.positional[0];
    const std::string& archivePath = call.positional[1];

    FilterSettings settings;
    if (!LoadProfile(profile, settings)) return ExitBadInput;
    const ResultsArchive archive = ReadResultsArchive(archivePath);
    if (!archive.ok) {
        if (archive.badLine > 0) {
            PrintError(archivePath + ": line " + std::to_string(archive.badLine) + ": " + archive.error);
            return ExitNoSystem;
        }
        FileError(archivePath, archive.error);
        return ExitBadInput;
    }
    const BacktestResult result = BacktestFilters(settings, archive.outcomes);
    if (!result.valid()) {
        PrintError(result.message);
        return ExitRefused;
    }
    std::string out;
    for (std::size_t i = 0; i < result.verdicts.size(); ++i) {
        const BacktestVerdict& v = result.verdicts[i];
        out += std::to_string(i + 1) + (v.passed ? ": pass" : ": rejected by " + std::string(ChainStepName(v.rejectedBy)));
        out += '\n';
    }
    out += "Passed: " + std::to_string(result.passed) + " of " + std::to_string(result.verdicts.size());
    PrintOut(out);
    return ExitOk;
}

}  // namespace

const Command BacktestCommand = {
    "backtest",
    "backtest PROFILE ARCHIVE",
    "Test the filters of a profile on the real outcomes of past rounds (a system file, one\n"
    "round per line): each round passes or is rejected by the first step named, then\n"
    "Passed: P of T.",
    {},
    RunBacktest,
    BacktestHelp,
};

}  // namespace kombinator::cli

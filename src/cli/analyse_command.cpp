// kombinator-cli analyse: what a system guarantees, its hit distribution and its holes.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli_common.h"
#include "cli/commands.h"
#include "filters/filter_profile.h"
#include "generator/system_analysis.h"
#include "io/system_line.h"
#include "io/system_file.h"

namespace kombinator::cli {
namespace {

int RunAnalyse(const Invocation& call) {
    if (call.positional.size() != 1) return call.Usage("one SYSTEMFILE expected");
    const std::string& systemPath = call.positional[0];
    const std::string* candidatesPath = call.Value("--candidates");
    const std::string* profilePath = call.Value("--profile");
    const bool all = call.Flag("--all");
    if ((candidatesPath != nullptr) + (profilePath != nullptr) + all != 1)
        return call.Usage("give exactly one of --candidates FILE, --profile PROFILE, --all");
    const std::string* guarantee = call.Value("--guarantee");
    const std::optional<long long> level = guarantee ? ParseNumber(*guarantee, 3, 6) : std::nullopt;
    if (guarantee && !level) return call.Usage("--guarantee must be 6, 5, 4 or 3");
    const int holeLevel = level ? static_cast<int>(*level) : 0;
    const std::string* holesPath = call.Value("--holes");
    if (holesPath && !level) return call.Usage("--holes needs --guarantee");
    if (holesPath && (SameFile(*holesPath, systemPath) || (candidatesPath && SameFile(*holesPath, *candidatesPath)) ||
                      (profilePath && SameFile(*holesPath, *profilePath))))
        return call.Usage("the holes file would replace an input file");

    std::vector<std::string> systemText;
    if (const FileResult read = ReadSystemFile(systemPath, systemText); !read.ok) {
        FileError(systemPath, read.error);
        return ExitBadInput;
    }
    const SystemLinesRead lines = ReadAnalysisLines(systemText);
    if (!lines.ok) {
        PrintError(lines.error);
        return ExitNoSystem;
    }

    OutcomeSource outcomes = OutcomeSource::Everything();
    if (candidatesPath) {
        std::vector<std::string> text;
        if (const FileResult read = ReadSystemFile(*candidatesPath, text); !read.ok) {
            FileError(*candidatesPath, read.error);
            return ExitBadInput;
        }
        OutcomesRead read = ReadOutcomeLines(text);
        if (!read.ok) {
            FileError(*candidatesPath, read.error);
            return ExitBadInput;
        }
        outcomes = OutcomeSource::FromList(std::move(read.canonical));
    } else if (profilePath) {
        FilterSettings settings;
        if (!LoadProfile(*profilePath, settings)) return ExitBadInput;
        outcomes = OutcomeSource::Passing(settings);
    }

    const SystemAnalysis analysis = AnalyseSystem(lines.lines, std::move(outcomes));
    if (!analysis.message.empty()) {
        PrintError(analysis.message);
        return ExitRefused;
    }
    std::vector<std::string> holeLines;
    if (holesPath) {
        const std::vector<std::uint32_t> holes = analysis.Holes(holeLevel);
        holeLines.reserve(holes.size());
        for (std::uint32_t h : holes) holeLines.push_back(FormatSystemLine(CombinationFromCanonical(h)));
        if (const int code = WriteSystemOutput(*holesPath, holeLines)) return code;
    }
    std::string out = "Lines: " + std::to_string(analysis.lines) + "\nOutcomes: " + std::to_string(analysis.outcomes) + "\n";
    for (int k = 6; k >= 3; --k) out += "Best" + std::to_string(k) + ": " + std::to_string(analysis.Best(k)) + "\n";
    out += "Best0-2: " + std::to_string(analysis.BestZeroToTwo()) + "\nGuarantee: " + std::to_string(analysis.guarantee);
    if (holeLevel > 0) out += "\nHoles: " + std::to_string(analysis.HoleCount(holeLevel));
    PrintOut(out);
    return ExitOk;
}

}  // namespace

const Command AnalyseCommand = {
    "analyse",
    "analyse SYSTEMFILE (--candidates FILE | --profile PROFILE | --all) [--guarantee 6|5|4|3 [--holes FILE]]",
    "What a saved system is worth: for every outcome (the lines of a candidates file, every\n"
    "Combination passing a profile, or all 16,777,216), the best hit count of any line of the\n"
    "system. Prints Lines, Outcomes (a Combination listed twice counts once), Best6, Best5,\n"
    "Best4, Best3, Best0-2 (outcomes by best hit count) and Guarantee (the smallest best);\n"
    "with --guarantee L also Holes (outcomes whose best is below L), which --holes FILE\n"
    "saves as a system file.",
    {{"--candidates", "FILE"}, {"--profile", "PROFILE"}, {"--guarantee", "6|5|4|3"}, {"--holes", "FILE"}, {"--all", ""}},
    RunAnalyse,
};

}  // namespace kombinator::cli

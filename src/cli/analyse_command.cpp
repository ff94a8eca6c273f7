// kombinator-cli analyse: what a system guarantees, its hit distribution and its holes.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli_common.h"
#include "cli/commands.h"
#include "cli/system_options.h"
#include "filters/filter_profile.h"
#include "generator/system_analysis.h"
#include "generator/system_line.h"
#include "io/system_file.h"

namespace kombinator::cli {
namespace {

constexpr const char* Usage =
    "analyse SYSTEMFILE (--candidates FILE | --profile PROFILE | --all) [--guarantee 6|5|4|3 [--holes FILE]]";

}  // namespace

int RunAnalyseCommand(int argc, char** argv) {
    const OptionList options = ReadOptions(argc, argv, 1, {"candidates", "profile", "guarantee", "holes"}, {"all"});
    if (!options.error.empty()) return UsageError("analyse", options.error, Usage);
    if (options.positional.size() != 1) return UsageError("analyse", "one SYSTEMFILE expected", Usage);
    const std::string& systemPath = options.positional[0];
    const std::string* candidatesPath = options.Find("candidates");
    const std::string* profilePath = options.Find("profile");
    const bool all = options.flags.count("all") > 0;
    if ((candidatesPath != nullptr) + (profilePath != nullptr) + all != 1)
        return UsageError("analyse", "give exactly one of --candidates FILE, --profile PROFILE, --all", Usage);
    const std::string* guarantee = options.Find("guarantee");
    const std::optional<long long> level = guarantee ? OptionNumber(*guarantee, 3, 6) : std::nullopt;
    if (guarantee && !level) return UsageError("analyse", "--guarantee must be 6, 5, 4 or 3", Usage);
    const int holeLevel = level ? static_cast<int>(*level) : 0;
    const std::string* holesPath = options.Find("holes");
    if (holesPath && !level) return UsageError("analyse", "--holes needs --guarantee", Usage);
    if (holesPath && (SameFile(*holesPath, systemPath) || (candidatesPath && SameFile(*holesPath, *candidatesPath)) ||
                      (profilePath && SameFile(*holesPath, *profilePath))))
        return UsageError("analyse", "the holes file would replace an input file", Usage);

    std::vector<std::string> systemText;
    if (const FileResult read = ReadSystemFile(systemPath, systemText); !read.ok) {
        PrintError(read.error);
        return ExitBadProfile;
    }
    const SystemLinesRead lines = ReadAnalysisLines(systemText);
    if (!lines.ok) {
        PrintError(lines.error);
        return 4;
    }

    OutcomeSource outcomes = OutcomeSource::Everything();
    if (candidatesPath) {
        std::vector<std::string> text;
        if (const FileResult read = ReadSystemFile(*candidatesPath, text); !read.ok) {
            PrintError(read.error);
            return ExitBadProfile;
        }
        OutcomesRead read = ReadOutcomeLines(text);
        if (!read.ok) {
            PrintError(*candidatesPath + ": " + read.error);
            return ExitBadProfile;
        }
        outcomes = OutcomeSource::FromList(std::move(read.canonical));
    } else if (profilePath) {
        FilterSettings settings;
        if (!LoadProfile(*profilePath, settings)) return ExitBadProfile;
        outcomes = OutcomeSource::Passing(settings);
    }

    const SystemAnalysis analysis = AnalyseSystem(lines.lines, std::move(outcomes));
    if (!analysis.message.empty()) {
        PrintError(analysis.message);
        return ExitInvalidSettings;
    }
    std::vector<std::string> holeLines;
    if (holesPath) {
        const std::vector<std::uint32_t> holes = analysis.Holes(holeLevel);
        holeLines.reserve(holes.size());
        for (std::uint32_t h : holes) holeLines.push_back(FormatSystemLine(CombinationFromCanonical(h)));
        if (const FileResult written = WriteSystemFile(*holesPath, holeLines); !written.ok) {
            PrintError(written.error);
            return ExitBadProfile;
        }
    }
    std::string out = "Lines: " + std::to_string(analysis.lines) + "\nOutcomes: " + std::to_string(analysis.outcomes) + "\n";
    for (int k = 6; k >= 3; --k) out += "Best" + std::to_string(k) + ": " + std::to_string(analysis.Best(k)) + "\n";
    out += "Best0-2: " + std::to_string(analysis.BestZeroToTwo()) + "\nGuarantee: " + std::to_string(analysis.guarantee);
    if (holeLevel > 0) out += "\nHoles: " + std::to_string(analysis.HoleCount(holeLevel));
    PrintOut(out);
    return ExitOk;
}

}  // namespace kombinator::cli

// kombinator-cli system PROFILE --guarantee 6|5|4|3 --out FILE: the guarantee generator;
// with --optimise [--seconds S] [--seed N] the optimised system of the same guarantee.
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "cli/profile_candidates.h"
#include "cli/commands.h"
#include "cli/system_options.h"
#include "generator/guarantee_optimiser.h"
#include "generator/guarantee_reduction.h"
#include "io/system_file.h"

namespace kombinator::cli {
namespace {
constexpr const char* Usage =
    "system PROFILE --guarantee 6|5|4|3 --out FILE\n"
    "       kombinator-cli system PROFILE --guarantee 5|4|3 --optimise [--seconds S] [--seed N] --out FILE";
constexpr long long DefaultSeconds = 20;
constexpr long long MaxSeconds = 86400;
}

int RunSystemCommand(int argc, char** argv) {
    const OptionList options = ReadOptions(argc, argv, 1, {"guarantee", "out", "seconds", "seed"}, {"optimise"});
    if (!options.error.empty()) return UsageError("system", options.error, Usage);
    if (options.positional.size() != 1) return UsageError("system", "one PROFILE expected", Usage);
    const std::string* guarantee = options.Find("guarantee");
    const std::optional<long long> level = guarantee ? OptionNumber(*guarantee, 3, 6) : std::nullopt;
    if (!level) return UsageError("system", "--guarantee must be 6, 5, 4 or 3", Usage);
    const std::string* out = options.Find("out");
    if (!out) return UsageError("system", "missing --out FILE", Usage);
    const bool optimise = options.flags.count("optimise") > 0;
    if (!optimise && (options.Find("seconds") || options.Find("seed")))
        return UsageError("system", "--seconds and --seed belong to --optimise", Usage);
    if (optimise && *level == 6) return UsageError("system", "--optimise needs --guarantee 5, 4 or 3", Usage);
    const std::string* secondsText = options.Find("seconds");
    const std::optional<long long> seconds =
        secondsText ? OptionNumber(*secondsText, 1, MaxSeconds) : std::optional<long long>(DefaultSeconds);
    if (!seconds) return UsageError("system", "--seconds must be a whole number of seconds, 1 to 86400", Usage);
    const std::string* seedText = options.Find("seed");
    const std::optional<long long> seed =
        seedText ? OptionNumber(*seedText, 0, 999999999999999999) : std::optional<long long>(1);
    if (!seed) return UsageError("system", "--seed must be a whole number, 0 or more", Usage);

    auto candidates = std::make_unique<CandidateStore>();
    auto system = std::make_unique<SystemStore>();
    std::int32_t candidateCount = 0;
    if (const int code = CandidatesFromProfile(options.positional[0], *candidates, candidateCount)) return code;
    std::int32_t systemCount = candidateCount;
    std::vector<std::string> lines;
    if (optimise) {
        OptimiseBudget budget;
        budget.seconds = static_cast<double>(*seconds);
        systemCount = OptimiseGuaranteeReduction(*candidates, candidateCount, static_cast<int>(*level), budget,
                                                 static_cast<std::uint64_t>(*seed), *system);
        lines = SystemLinesOf(*system, systemCount);
    } else {
        lines = GuaranteeSystem(*candidates, candidateCount, static_cast<int>(*level), *system, systemCount);
    }
    const FileResult written = WriteSystemFile(*out, lines);
    if (!written.ok) {
        std::fprintf(stderr, "%s\n", written.error.c_str());
        return 2;
    }
    std::printf("CandidateCount: %d\nSystemCount: %zu\n", candidateCount, lines.size());
    return 0;
}

}  // namespace kombinator::cli

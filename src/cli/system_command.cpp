// kombinator-cli system PROFILE --guarantee 6|5|4|3 --out FILE: the guarantee generator;
// with --optimise [--seconds S] [--seed N] the optimised system of the same guarantee.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "cli/cli_common.h"
#include "cli/commands.h"
#include "cli/profile_candidates.h"
#include "generator/guarantee_optimiser.h"
#include "generator/guarantee_reduction.h"

namespace kombinator::cli {
namespace {

constexpr long long DefaultSeconds = 20;
constexpr long long MaxSeconds = 86400;

int RunSystem(const Invocation& call) {
    if (call.positional.size() != 1) return call.Usage("one PROFILE expected");
    const std::string* guarantee = call.Value("--guarantee");
    const std::optional<long long> level = guarantee ? ParseNumber(*guarantee, 3, 6) : std::nullopt;
    if (!level) return call.Usage("--guarantee must be 6, 5, 4 or 3");
    const std::string* out = call.Value("--out");
    if (!out) return call.Usage("missing --out FILE");
    const bool optimise = call.Flag("--optimise");
    const std::string* secondsText = call.Value("--seconds");
    const std::string* seedText = call.Value("--seed");
    if (!optimise && (secondsText || seedText)) return call.Usage("--seconds and --seed belong to --optimise");
    if (optimise && *level == 6) return call.Usage("--optimise needs --guarantee 5, 4 or 3");
    const std::optional<long long> seconds =
        secondsText ? ParseNumber(*secondsText, 1, MaxSeconds) : std::optional<long long>(DefaultSeconds);
    if (!seconds) return call.Usage("--seconds must be a whole number of seconds, 1 to 86400");
    const std::optional<long long> seed =
        seedText ? ParseNumber(*seedText, 0, 999999999999999999) : std::optional<long long>(1);
    if (!seed) return call.Usage("--seed must be a whole number, 0 or more");
    const std::string& profile = call.positional[0];
    if (SameFile(profile, *out)) return call.Usage("the output file would replace the profile " + profile);

    auto candidates = std::make_unique<CandidateStore>();
    auto system = std::make_unique<SystemStore>();
    std::int32_t candidateCount = 0;
    if (const int code = CandidatesFromProfile(profile, *candidates, candidateCount)) return code;
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
    if (const int code = WriteSystemOutput(*out, lines)) return code;
    PrintOut("CandidateCount: " + std::to_string(candidateCount));
    PrintOut("SystemCount: " + std::to_string(lines.size()));
    return ExitOk;
}

}  // namespace

const Command SystemCommand = {
    "system",
    "system PROFILE --guarantee 6|5|4|3 [--optimise [--seconds S] [--seed N]] --out FILE",
    "Turn the candidates of a profile (1 to 30,000 of them) into a system file: all of\n"
    "them (6) or a reduced system that guarantees 5, 4 or 3 exact scores. --optimise\n"
    "searches S seconds (20 unless given) for the same guarantee with fewer lines.",
    {{"--guarantee", "6|5|4|3"}, {"--out", "FILE"}, {"--optimise", ""}, {"--seconds", "S"}, {"--seed", "N"}},
    RunSystem,
};

}  // namespace kombinator::cli

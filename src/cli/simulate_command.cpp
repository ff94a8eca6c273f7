// kombinator-cli simulate PROFILE --count N --distance 1..4 --seconds T --seed S --out FILE:
// the computer simulation with a fixed seed, one draw per tick and a countdown tick every 100 draws.
#include <memory>
#include <string>
#include <vector>

#include "cli/cli_common.h"
#include "cli/commands.h"
#include "cli/profile_candidates.h"
#include "generator/simulation.h"
#include "model/strict_int.h"

namespace kombinator::cli {
namespace {

constexpr int DrawsPerSecond = 100;  // Timer11 ticks every 10 ms, Timer12 every 1000 ms
constexpr long long EditLimit = 9999;  // the count and time edits hold four digits

int RunSimulate(const Invocation& call) {
    if (call.positional.size() != 1) return call.Usage("one PROFILE expected");
    const std::string* distanceText = call.Value("--distance");
    const std::optional<long long> distance = distanceText ? ParseNumber(*distanceText, 1, 4) : std::nullopt;
    if (!distance) return call.Usage("--distance must be 1, 2, 3 or 4");
    const std::string* seedText = call.Value("--seed");
    const std::optional<long long> seed = seedText ? ParseNumber(*seedText, 0, 4294967295LL) : std::nullopt;
    if (!seed) return call.Usage("--seed must be 0..4294967295");
    const std::string* out = call.Value("--out");
    if (!out) return call.Usage("missing --out FILE");
    // The count and the time limit are read as their two edits are: missing or blank is an empty
    // edit (the program's own message); anything else is a number the edit could hold.
    const std::string* count = call.Value("--count");
    const std::string* seconds = call.Value("--seconds");
    for (const auto& [name, text] : {std::pair{"--count", count}, std::pair{"--seconds", seconds}}) {
        if (text == nullptr || TrimBlanks(*text).empty()) continue;
        if (!ParseNumber(TrimBlanks(*text), 1, EditLimit)) return call.Usage(std::string(name) + " must be 1..9999");
    }
    const std::string& profile = call.positional[0];
    if (SameFile(profile, *out)) return call.Usage("the output file would replace the profile " + profile);

    auto candidates = std::make_unique<CandidateStore>();
    auto system = std::make_unique<SystemStore>();
    std::int32_t candidateCount = 0;
    if (const int code = CandidatesFromProfile(profile, *candidates, candidateCount)) return code;

    const auto fixedSeed = static_cast<std::uint32_t>(*seed);
    Simulation simulation([fixedSeed] { return fixedSeed; });
    const Simulation::StartResult start = simulation.Start(count ? *count : "", seconds ? *seconds : "",
                                                           static_cast<int>(*distance) - 1, *candidates,
                                                           candidateCount, *system);
    if (start.outcome == Simulation::StartOutcome::Refused) {
        PrintError(start.message);
        return ExitRefused;
    }
    if (start.outcome == Simulation::StartOutcome::NotStarted) {
        PrintOut("SystemCount: 0");  // nothing started: no system, no file
        return ExitOk;
    }
    std::vector<std::string> lines;
    for (std::int64_t draws = 1; simulation.Running(); ++draws) {
        Simulation::DrawResult draw = simulation.DrawTick();
        if (draw.accepted) lines.push_back(std::move(draw.line));
        if (draws % DrawsPerSecond == 0) simulation.CountdownTick();
    }
    if (const int code = WriteSystemOutput(*out, lines)) return code;
    PrintOut("SystemCount: " + std::to_string(lines.size()));
    return ExitOk;
}

}  // namespace

const Command SimulateCommand = {
    "simulate",
    "simulate PROFILE --count N --distance 1..4 --seconds T --seed S --out FILE",
    "The computer simulation: draw up to N lines (1..9999) from the candidates of a profile,\n"
    "each differing from the others as --distance asks, for at most T seconds (1..9999) of the\n"
    "window's timers, with a fixed seed; save them as a system file.",
    {{"--count", "N"}, {"--distance", "1..4"}, {"--seconds", "T"}, {"--seed", "S"}, {"--out", "FILE"}},
    RunSimulate,
};

}  // namespace kombinator::cli

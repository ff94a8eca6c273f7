// kombinator-cli simulate PROFILE --count N --distance 1..4 --seconds T --seed S --out FILE:
// the computer simulation with a fixed seed, one draw per tick and a countdown tick every 100 draws.
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "cli/profile_candidates.h"
#include "cli/commands.h"
#include "cli/system_options.h"
#include "generator/simulation.h"
#include "io/system_file.h"

namespace kombinator::cli {
namespace {
constexpr const char* Usage = "simulate PROFILE --count N --distance 1..4 --seconds T --seed S --out FILE";
constexpr int DrawsPerSecond = 100;  // Timer11 ticks every 10 ms, Timer12 every 1000 ms
}  // namespace

int RunSimulateCommand(int argc, char** argv) {
    const OptionList options = ReadOptions(argc, argv, 1, {"count", "distance", "seconds", "seed", "out"});
    if (!options.error.empty()) return UsageError("simulate", options.error, Usage);
    if (options.positional.size() != 1) return UsageError("simulate", "one PROFILE expected", Usage);
    const std::string* distanceText = options.Find("distance");
    const std::optional<long long> distance = distanceText ? OptionNumber(*distanceText, 1, 4) : std::nullopt;
    if (!distance) return UsageError("simulate", "--distance must be 1, 2, 3 or 4", Usage);
    const std::string* seedText = options.Find("seed");
    const std::optional<long long> seed = seedText ? OptionNumber(*seedText, 0, 4294967295LL) : std::nullopt;
    if (!seed) return UsageError("simulate", "--seed must be 0..4294967295", Usage);
    const std::string* out = options.Find("out");
    if (!out) return UsageError("simulate", "missing --out FILE", Usage);
    const std::string* count = options.Find("count");
    const std::string* seconds = options.Find("seconds");

    auto candidates = std::make_unique<CandidateStore>();
    auto system = std::make_unique<SystemStore>();
    std::int32_t candidateCount = 0;
    if (const int code = CandidatesFromProfile(options.positional[0], *candidates, candidateCount)) return code;

    const std::uint32_t fixedSeed = static_cast<std::uint32_t>(*seed);
    Simulation simulation([fixedSeed] { return fixedSeed; });
    // The count and the time limit are read as the two edits are: missing means empty.
    const Simulation::StartResult start = simulation.Start(count ? *count : "", seconds ? *seconds : "",
                                                           static_cast<int>(*distance) - 1, *candidates,
                                                           candidateCount, *system);
    if (start.outcome == Simulation::StartOutcome::Refused) {
        std::fprintf(stderr, "%s\n", start.message.c_str());
        return 3;
    }
    if (start.outcome == Simulation::StartOutcome::NotStarted) {
        // A 0 starts nothing: no system, no file.
        std::puts("SystemCount: 0");
        return 0;
    }
    std::vector<std::string> lines;
    for (std::int64_t draws = 1; simulation.Running(); ++draws) {
        Simulation::DrawResult draw = simulation.DrawTick();
        if (draw.accepted) lines.push_back(std::move(draw.line));
        if (draws % DrawsPerSecond == 0) simulation.CountdownTick();
    }
    const FileResult written = WriteSystemFile(*out, lines);
    if (!written.ok) {
        std::fprintf(stderr, "%s\n", written.error.c_str());
        return 2;
    }
    std::printf("SystemCount: %zu\n", lines.size());
    return 0;
}

}  // namespace kombinator::cli

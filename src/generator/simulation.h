#pragma once
// The computer simulation: random draws from the candidates, each kept when it differs enough from
// every Combination kept before it. Driven by two ticks (draw, countdown) that the caller delivers;
// it owns no timer and never waits.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "model/stores.h"
#include "model/runtime_errors.h"

namespace kombinator {

class CoverageBitmaps;

// The random generator: RandomSeed := RandomSeed * 134775813 + 1 (mod 2^32), then the upper 32 bits
// of n * RandomSeed, a number 0..n-1.
std::uint32_t NextRandom(std::uint32_t& randomSeed, std::uint32_t n);

// Milliseconds since midnight: ((hour * 60 + minute) * 60 + second) * 1000 + millisecond.
std::uint32_t SeedFromTime(int hour, int minute, int second, int millisecond);

// The system clock in universal time, as SeedFromTime.
std::uint32_t UtcMillisecondsSinceMidnight();

// "1 - 0": how Label341..Label346 show a drawn score.
std::string DrawnScoreText(const MatchScore& score);

class Simulation {
public:
    using Clock = std::function<std::uint32_t()>;  // the seed source: milliseconds since midnight

    explicit Simulation(Clock clock = UtcMillisecondsSinceMidnight);
    ~Simulation();
    Simulation(const Simulation&) = delete;
    Simulation& operator=(const Simulation&) = delete;

    enum class StartOutcome {
        Started,
        NotStarted,  // a 0 in either edit: nothing starts and nothing is said
        Refused,     // `message` is to be shown; nothing starts
    };
    struct StartResult {
        StartOutcome outcome = StartOutcome::NotStarted;
        std::string message;
        MessageKind messageKind = MessageKind::ProgramMessage;
    };

    // BitBtn2: the texts of MaskEdit13 (the number of Combinations) and MaskEdit14 (seconds),
    // RadioGroup18's ItemIndex 0..3 (lines differ in at least 1..4 Positions). On Started the
    // caller empties the SystemList and shows SimulationTimeLimit as the countdown.
    StartResult Start(std::string_view countText, std::string_view secondsText, int distanceIndex,
                      const CandidateStore& candidates, std::int32_t candidateCount, SystemStore& system);

    struct DrawResult {
        bool finished = false;    // the target was reached: both ticks stop, FinishSimulation follows
        std::int32_t drawn = 0;   // the candidate drawn (1..CandidateCount), 0 when none was
        Combination drawnCombination;
        bool accepted = false;    // the draw became line SystemCount; its SystemLine is `line`
        std::string line;
    };
    // Timer11: one draw and its test.
    DrawResult DrawTick();

    struct CountdownResult {
        bool finished = false;  // the time is up: both ticks stop, the countdown shows 0, FinishSimulation follows
        std::int32_t secondsLeft = 0;
    };
    // Timer12: one second of the countdown.
    CountdownResult CountdownTick();

    // The run ends without FinishSimulation (the "Yes" to a running-generator question).
    void Stop() { running_ = false; }

    bool Running() const { return running_; }
    std::int32_t SimulationTarget() const { return simulationTarget_; }
    std::int32_t SimulationTimeLimit() const { return simulationTimeLimit_; }
    int MaxEqualPositions() const { return maxEqualPositions_; }
    std::int32_t SystemCount() const { return systemCount_; }
    std::int32_t SecondsLeft() const { return secondsLeft_; }
    std::uint32_t RandomSeed() const { return randomSeed_; }

private:
    bool TryAcceptDrawn();

    Clock clock_;
    const CandidateStore* candidates_ = nullptr;
    SystemStore* system_ = nullptr;
    std::int32_t candidateCount_ = 0;
    std::int32_t simulationTarget_ = 0;
    std::int32_t simulationTimeLimit_ = 0;
    int maxEqualPositions_ = 5;
    std::int32_t systemCount_ = 0;
    std::int32_t secondsLeft_ = 0;
    std::uint8_t drawReady_ = 1;
    Combination drawnCombination_;
    std::uint32_t randomSeed_ = 0;
    bool running_ = false;
    std::unique_ptr<CoverageBitmaps> accepted_;  // the accepted lines, by Positions shared
};

}  // namespace kombinator

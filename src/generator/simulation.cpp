#include "generator/simulation.h"

#include <chrono>
#include <optional>

#include "generator/coverage_bitmaps.h"
#include "io/system_line.h"
#include "model/runtime_errors.h"
#include "model/strict_int.h"

namespace kombinator {

std::uint32_t NextRandom(std::uint32_t& randomSeed, std::uint32_t n) {
    randomSeed = randomSeed * 134775813u + 1u;
    return static_cast<std::uint32_t>((std::uint64_t{n} * randomSeed) >> 32);
}

std::uint32_t SeedFromTime(int hour, int minute, int second, int millisecond) {
    return static_cast<std::uint32_t>(((hour * 60 + minute) * 60 + second) * 1000 + millisecond);
}

std::uint32_t UtcMillisecondsSinceMidnight() {
    using namespace std::chrono;
    const auto now = duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
    return static_cast<std::uint32_t>(now % (24LL * 60 * 60 * 1000));
}

std::string DrawnScoreText(const MatchScore& score) {
    return std::to_string(score.home) + " - " + std::to_string(score.away);
}

Simulation::Simulation(Clock clock) : clock_(std::move(clock)) {}
Simulation::~Simulation() = default;

namespace {

// One edit of the start: empty gives `emptyMessage`, a non-number the conversion message.
std::optional<std::int32_t> ReadEdit(std::string_view text, const char* emptyMessage, Simulation::StartResult& result) {
    text = TrimBlanks(text);
    if (text.empty()) {
        result.message = emptyMessage;
        return std::nullopt;
    }
    const std::optional<std::int32_t> value = ParseStrictInt(text);
    if (!value) {
        result.message = ConversionErrorMessage(text);
        result.messageKind = MessageKind::RuntimeReport;
    }
    return value;
}

}  // namespace

Simulation::StartResult Simulation::Start(std::string_view countText, std::string_view secondsText, int distanceIndex,
                                          const CandidateStore& candidates, std::int32_t candidateCount,
                                          SystemStore& system) {
    StartResult result;
    const std::optional<std::int32_t> target =
        ReadEdit(countText, "Nie ustalona liczba kombinacji w systemie !", result);
    if (!target) {
        result.outcome = StartOutcome::Refused;
        return result;
    }
    if (*target == 0) return result;
    const std::optional<std::int32_t> limit =
        ReadEdit(secondsText, "Nie ustalony limit czasu pracy generatora !", result);
    if (!limit) {
        result.outcome = StartOutcome::Refused;
        return result;
    }
    if (*limit == 0) return result;
    // Without candidates there is nothing to draw from (the simulation is not offered then).
    if (candidateCount < 1 || candidateCount > StoreCapacity) return result;

    candidates_ = &candidates;
    system_ = &system;
    candidateCount_ = candidateCount;
    simulationTarget_ = *target;
    simulationTimeLimit_ = *limit;
    maxEqualPositions_ = 5 - (distanceIndex < 0 || distanceIndex > 3 ? 0 : distanceIndex);
    systemCount_ = 0;
    secondsLeft_ = simulationTimeLimit_;
    drawReady_ = 1;
    randomSeed_ = clock_();
    const int level = maxEqualPositions_ + 1;
    if (!accepted_ || accepted_->Level() != level)
        accepted_ = std::make_unique<CoverageBitmaps>(level);
    else
        accepted_->Clear();
    running_ = true;
    result.outcome = StartOutcome::Started;
    return result;
}

Simulation::DrawResult Simulation::DrawTick() {
    DrawResult result;
    if (!running_) return result;
    if (systemCount_ == simulationTarget_) {
        running_ = false;
        result.finished = true;
        return result;
    }
    result.drawn = static_cast<std::int32_t>(NextRandom(randomSeed_, static_cast<std::uint32_t>(candidateCount_))) + 1;
    result.drawnCombination = candidates_->At(result.drawn);
    if (drawReady_ == 1) {
        drawnCombination_ = result.drawnCombination;
        result.accepted = TryAcceptDrawn();
        if (result.accepted) result.line = FormatSystemLine(drawnCombination_);
    }
    return result;
}

bool Simulation::TryAcceptDrawn() {
    drawReady_ = 0;
    const std::uint32_t canonical = CanonicalIndex(drawnCombination_);
    // Rejected when some accepted line shares more than MaxEqualPositions exact scores with it.
    // Distinct candidates never outnumber the store, so the capacity test only guards the store.
    const bool accepted = (systemCount_ == 0 || !accepted_->Covers(canonical)) && systemCount_ < StoreCapacity;
    if (accepted) {
        accepted_->Add(canonical);
        ++systemCount_;
        system_->Set(systemCount_, drawnCombination_);
    }
    drawReady_ = 1;
    return accepted;
}

Simulation::CountdownResult Simulation::CountdownTick() {
    CountdownResult result;
    if (!running_) return result;
    if (secondsLeft_ <= 0) {
        running_ = false;
        result.finished = true;
        result.secondsLeft = 0;
        return result;
    }
    --secondsLeft_;
    result.secondsLeft = secondsLeft_;
    return result;
}

}  // namespace kombinator

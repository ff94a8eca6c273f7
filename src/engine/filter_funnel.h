#pragma once
// What each step of the filter chain does with the settings in force: the funnel (how many
// Combinations reach each step and how many it rejects) and the back-test (which step, if
// any, rejects each of a list of real outcomes).

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/combination.h"
#include "engine/filter_run.h"
#include "model/filter_settings.h"

namespace kombinator {

// The steps of the chain that can reject a Combination, in the chain's order.
enum class ChainStep : std::uint8_t {
    TypeGrid,
    Relations,
    RI,
    GoalRanges,
    RJDraws,
    RJTwos,
    Scores,
    PN,
    Preferred,
    RW,
    HomeBlock,
    AwayBlock,
    BlockG,
    BlockD,
};
inline constexpr int ChainStepCount = 14;

// "TypeGrid", "Relations", ... as the command line prints them.
std::string_view ChainStepName(ChainStep step);
// The family's name as the window shows it (UTF-8), e.g. "Szablony RI".
std::string_view ChainStepFamily(ChainStep step);

// Whether the step runs with these settings: the type grid and the goal ranges always,
// the results per position when some Position's filter is on, every other step with its family.
bool ChainStepActive(const FilterSettings& settings, ChainStep step);
// The active steps in chain order.
std::vector<ChainStep> ActiveChainSteps(const FilterSettings& settings);

// The first step that rejects c, or nothing when c passes (the settings assumed valid).
std::optional<ChainStep> FirstRejectingStep(const FilterSettings& settings, const Combination& c);

struct FunnelStep {
    ChainStep step;
    std::int32_t reached = 0;   // Combinations that passed every earlier step
    std::int32_t rejected = 0;  // of those, the ones this step rejects
};

struct FilterFunnelResult {
    // Empty when the settings are valid; otherwise the FilterRun's message and no steps.
    std::string message;
    std::vector<FunnelStep> steps;  // the active steps in chain order
    std::int32_t passed = 0;        // equals the FilterRun's CandidateCount
    bool valid() const { return message.empty(); }
};

// The FilterRun's count and message for these settings, without touching any store.
FilterRunResult CountFilterRun(const FilterSettings& settings);

// The funnel of the whole space of 16,777,216 Combinations, without touching any store.
FilterFunnelResult FilterFunnel(const FilterSettings& settings);

struct BacktestVerdict {
    bool passed = false;
    ChainStep rejectedBy = ChainStep::TypeGrid;  // meaningful when !passed
};

struct BacktestResult {
    std::string message;  // the FilterRun's message when the settings are incomplete
    std::vector<BacktestVerdict> verdicts;  // one per outcome, in order
    std::int32_t passed = 0;
    bool valid() const { return message.empty(); }
};

// For every outcome: whether the settings keep it, and if not the first step that rejects it.
BacktestResult BacktestFilters(const FilterSettings& settings, const std::vector<Combination>& outcomes);

}  // namespace kombinator

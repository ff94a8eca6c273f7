#pragma once
// The states of the final stage and the one table of which controls each state enables and shows.

#include <array>
#include <cstdint>

enum class StageMode {
    EnteredIdle,    // after entering from the filter editor, and after a run
    OpenedIdle,     // after "Otwórz": only the result check and the print box
    GuaranteeRun,   // BitBtn1's reduction inside its click
    SimulationRun,  // Timer11 and Timer12 drawing; GeneratorBusy is 1
    OptimiseRun,    // the optimiser on its worker thread; GeneratorBusy is 1
};
inline constexpr int StageModeCount = 5;

// What a state does to one control: leaves it as it is, or switches it on or off.
enum class Switch : std::uint8_t { Keep, On, Off };

struct StageModeRow {
    const char* control;  // the control's objectName
    bool visibility;      // false: the row sets the enabled state; true: the shown state
    // One entry per StageMode; a state added later and not listed keeps the control as it is.
    std::array<Switch, StageModeCount> inMode;
};

// GeneratorBusy while the stage is in `mode`.
constexpr bool GeneratorBusyIn(StageMode mode) {
    return mode == StageMode::SimulationRun || mode == StageMode::OptimiseRun;
}

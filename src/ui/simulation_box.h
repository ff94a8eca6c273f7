#pragma once
// The simulation box (Panel78, " Symulacja komputerowa "): its inputs, BitBtn2, and the run
// itself, driven by Timer11 (one draw) and Timer12 (one second of the countdown).

#include <QObject>
#include <memory>

#include "generator/simulation.h"

class DialogService;
class FinalStage;
class QFrame;
class QLineEdit;
class QPushButton;
class QTimer;
class QWidget;
class RadioGroup;
struct AppState;

class SimulationBox : public QObject {
    Q_OBJECT
public:
    SimulationBox(FinalStage& stage, AppState& state, DialogService& dialogs, QWidget* parent);
    ~SimulationBox() override;

    const kombinator::Simulation& Simulation() const { return *simulation_; }
    // Both timers off and the run ended, without FinishSimulation.
    void Stop();
    // Entering and opening: no run, the first distance, blank edits.
    void Reset();

public slots:
    void BitBtn2Click();  // start the simulation
    void Timer11Timer();  // one draw
    void Timer12Timer();  // one second of the countdown

private:
    void FinishSimulation();

    FinalStage& stage_;
    AppState& state_;
    DialogService& dialogs_;
    std::unique_ptr<kombinator::Simulation> simulation_;

    QFrame* Panel78 = nullptr;
    QFrame* Panel79 = nullptr;
    RadioGroup* RadioGroup18 = nullptr;
    QLineEdit* MaskEdit13 = nullptr;
    QLineEdit* MaskEdit14 = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QTimer* Timer11 = nullptr;
    QTimer* Timer12 = nullptr;
};

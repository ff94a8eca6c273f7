#include "ui/simulation_box.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <algorithm>

#include "ui/app_state.h"
#include "ui/filter_widgets.h"
#include "ui/final_stage.h"
#include "ui/final_stage_widgets.h"
#include "ui/window_io.h"
#include "ui/system_list_box.h"

SimulationBox::SimulationBox(FinalStage& stage, AppState& state, DialogService& dialogs, QWidget* parent)
    : QObject(parent),
      stage_(stage),
      state_(state),
      dialogs_(dialogs),
      simulation_(std::make_unique<kombinator::Simulation>()) {
    Panel78 = MakeStagePanel(parent, "Panel78", QRect(0, 216, 200, 265));
    MakeTitle(Panel78, "StaticText34", " Symulacja komputerowa ", QRect(4, 4, 192, 18));
    Panel79 = MakeStagePanel(Panel78, "Panel79", QRect(4, 26, 192, 235), QFrame::Sunken);
    RadioGroup18 = new RadioGroup("RadioGroup18", QString(),
                                  {"rozwiązania różne o jeden", "rozwiązania różne o dwa", "rozwiązania różne o trzy",
                                   "rozwiązania różne o cztery"},
                                  1, 19, Panel79);
    RadioGroup18->setGeometry(6, 4, 180, 84);
    MakeLabel(Panel79, "Label351", "Liczba kombinacji:", QRect(10, 104, 104, 21));
    MaskEdit13 = MakeMaskedEdit("MaskEdit13", 4, ' ', Panel79);
    MaskEdit13->setGeometry(116, 104, 44, 21);
    MakeLabel(Panel79, "Label352", "Limit czasowy:", QRect(10, 134, 104, 21));
    MaskEdit14 = MakeMaskedEdit("MaskEdit14", 4, ' ', Panel79);
    MaskEdit14->setGeometry(116, 134, 44, 21);
    MakeLabel(Panel79, "Label353", "sek.", QRect(163, 134, 26, 21));
    BitBtn2 = MakeButton(Panel79, "BitBtn2", "OK", QRect(58, 170, 76, 24));
    connect(BitBtn2, &QPushButton::clicked, this, &SimulationBox::BitBtn2Click);

    Timer11 = new QTimer(this);
    Timer11->setObjectName("Timer11");
    Timer11->setInterval(10);
    Timer12 = new QTimer(this);
    Timer12->setObjectName("Timer12");
    Timer12->setInterval(1000);
    connect(Timer11, &QTimer::timeout, this, &SimulationBox::Timer11Timer);
    connect(Timer12, &QTimer::timeout, this, &SimulationBox::Timer12Timer);
}

SimulationBox::~SimulationBox() = default;

void SimulationBox::Stop() {
    Timer11->stop();
    Timer12->stop();
    simulation_->Stop();
}

void SimulationBox::Reset() {
    Stop();
    RadioGroup18->SetItemIndex(0);
    MaskEdit13->clear();
    MaskEdit14->clear();
}

void SimulationBox::BitBtn2Click() {
    if (!BitBtn2->isEnabled() || !Panel79->isEnabled()) return;
    const kombinator::Simulation::StartResult start = simulation_->Start(
        EditBytes(MaskEdit13), EditBytes(MaskEdit14), RadioGroup18->ItemIndex(), *state_.candidates,
        std::clamp<std::int32_t>(state_.CandidateCount, 0, kombinator::StoreCapacity), *state_.system);
    if (start.outcome == kombinator::Simulation::StartOutcome::Refused) {
        ShowCoreMessage(dialogs_, start.messageKind, start.message);
        return;
    }
    if (start.outcome != kombinator::Simulation::StartOutcome::Started) return;

    SystemListBox& list = stage_.SystemBox();
    list.SetLines({});
    state_.SystemCount = 0;
    stage_.SetMode(StageMode::SimulationRun);
    list.SetCount("0");
    list.ClearSelectedRow();
    list.SetSecondsLeft(QString::number(simulation_->SimulationTimeLimit()));
    Timer12->start();
    Timer11->start();
}

void SimulationBox::Timer11Timer() {
    if (!simulation_->Running()) {
        Timer11->stop();
        return;
    }
    const kombinator::Simulation::DrawResult draw = simulation_->DrawTick();
    if (draw.finished) {
        FinishSimulation();
        return;
    }
    if (draw.drawn == 0) return;
    SystemListBox& list = stage_.SystemBox();
    list.ShowDrawn(draw.drawnCombination);
    if (draw.accepted) {
        list.Append(draw.line);
        state_.SystemCount = simulation_->SystemCount();
        list.SetCount(QString::number(simulation_->SystemCount()));
    }
}

void SimulationBox::Timer12Timer() {
    if (!simulation_->Running()) {
        Timer12->stop();
        return;
    }
    const kombinator::Simulation::CountdownResult countdown = simulation_->CountdownTick();
    if (countdown.finished) {
        stage_.SystemBox().SetSecondsLeft("0");
        FinishSimulation();
        return;
    }
    stage_.SystemBox().SetSecondsLeft(QString::number(countdown.secondsLeft));
}

void SimulationBox::FinishSimulation() {
    Stop();
    if (!stage_.SystemBox().Lines().empty()) stage_.MarkSystemUnsaved();
    stage_.SetMode(StageMode::EnteredIdle);
}

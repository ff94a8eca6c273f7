#include "ui/final_stage.h"

#include <QFrame>
#include <QLabel>
#include <QToolButton>
#include <array>

#include "io/system_file.h"
#include "ui/dialog_service.h"
#include "ui/final_stage_widgets.h"
#include "ui/guarantee_box.h"
#include "ui/print_box.h"
#include "ui/result_check_box.h"
#include "ui/simulation_box.h"
#include "ui/window_io.h"
#include "ui/system_list_box.h"

namespace {

const QString SaveQuestion = QStringLiteral("Zapisać ostatni wygenerowany system ?");
const QString SaveFilter = QStringLiteral("Plik textowy(*.txt)|*.txt");
const QString OpenFilter = QStringLiteral("Pliki textowe(*.txt)|*.txt");
const QString BackWhileBusyQuestion =
    QStringLiteral("Generator jest obecnie w trakcie obliczeń ! Czy rzeczywiście chcesz teraz edytować dane ?");

constexpr Switch K = Switch::Keep;
constexpr Switch On = Switch::On;
constexpr Switch Off = Switch::Off;
constexpr bool Enabled = false;
constexpr bool Shown = true;

// Which controls each state enables and shows. Columns: EnteredIdle, OpenedIdle, GuaranteeRun,
// SimulationRun, OptimiseRun. The print panels are the user's to open in an idle state; every
// state that starts closes them.
constexpr StageModeRow ModeTable[] = {
    {"SpeedButton3", Enabled, {On, Off, Off, K, On}},  // back: usable while a run goes on
    {"SpeedButton4", Enabled, {On, Off, Off, Off, Off}},
    {"Panel77", Enabled, {On, On, Off, Off, Off}},
    {"BitBtn1", Enabled, {On, Off, Off, Off, Off}},
    {"Panel79", Enabled, {On, On, Off, Off, Off}},
    {"BitBtn2", Enabled, {On, Off, Off, Off, Off}},
    {"BitBtn3", Enabled, {On, On, Off, Off, Off}},
    {"SpeedButton7", Enabled, {On, On, Off, Off, Off}},
    {"Panel82", Shown, {Off, Off, On, Off, On}},  // the busy light of the reduction and the optimiser
    {"Panel80", Shown, {Off, Off, Off, On, Off}},  // the countdown box
    {"OptimisePanel", Shown, {Off, Off, Off, Off, On}},  // the optimiser's time used and its stop button
    {"Panel89", Shown, {Off, Off, Off, Off, Off}},
    {"Panel90", Shown, {Off, Off, Off, Off, Off}},
};

}  // namespace

FinalStage::FinalStage(AppState& state, DialogService& dialogs, QWidget* parent)
    : QWidget(parent), state_(state), dialogs_(dialogs) {
    setObjectName("Panel73");
    setFixedSize(673, 481);
    setAutoFillBackground(true);

    Panel74 = MakeStagePanel(this, "Panel74", QRect(0, 0, 673, 32));
    SpeedButton3 = MakeGlyphButton(Panel74, "SpeedButton3", BackGlyph(), "Powrót do poprzedniego etapu",
                                   QRect(4, 3, 26, 26));
    SpeedButton4 = MakeGlyphButton(Panel74, "SpeedButton4", SaveGlyph(), "Zapis systemu", QRect(32, 3, 26, 26));
    StaticText32 = MakeTitle(Panel74, "StaticText32", " GENERATOR SYSTEMÓW", QRect(236, 6, 200, 20));
    connect(SpeedButton3, &QToolButton::clicked, this, &FinalStage::SpeedButton3Click);
    connect(SpeedButton4, &QToolButton::clicked, this, &FinalStage::SpeedButton4Click);

    guarantee_ = new GuaranteeBox(*this, state_, dialogs_, this);
    simulator_ = new SimulationBox(*this, state_, dialogs_, this);
    systemBox_ = new SystemListBox(this);
    guarantee_->BuildProgressPanel(findChild<QWidget*>("Panel75"));
    results_ = new ResultCheckBox(state_, dialogs_, *systemBox_, this);
    printing_ = new PrintBox(state_, dialogs_, *systemBox_, this);

    for (const StageModeRow& row : ModeTable) {
        auto* control = findChild<QWidget*>(row.control);
        Q_ASSERT_X(control, "FinalStage", row.control);
        if (control) modeControls_.emplace_back(&row, control);
    }
    hide();
}

FinalStage::~FinalStage() = default;

void FinalStage::SetMode(StageMode mode) {
    mode_ = mode;
    const auto column = static_cast<std::size_t>(mode);
    for (const auto& [row, control] : modeControls_) {
        const Switch to = row->inMode[column];
        if (to == Switch::Keep) continue;
        if (row->visibility)
            control->setVisible(to == Switch::On);
        else
            control->setEnabled(to == Switch::On);
    }
    state_.GeneratorBusy = GeneratorBusyIn(mode) ? 1 : 0;
}

void FinalStage::SetPrintSurface(PrintSurface* surface) { printing_->SetPrintSurface(surface); }

void FinalStage::SetSoundPlayer(SoundPlayer* player) { results_->SetSoundPlayer(player); }

int FinalStage::SystemLineCount() const { return static_cast<int>(SystemList().size()); }

const std::vector<std::string>& FinalStage::SystemList() const { return systemBox_->Lines(); }

const kombinator::Simulation& FinalStage::Simulation() const { return simulator_->Simulation(); }

bool FinalStage::LoadPrintSettings(QString* report) {
    if (!printing_->LoadPrintSettings(report)) return false;
    state_.SystemSaved = 1;
    state_.GeneratorBusy = 0;
    return true;
}

// ---------------------------------------------------------------------------------------------
// Entering, going back, saving, opening

void FinalStage::EnterFromEditor() {
    // No run survives entering (GeneratorBusy goes to 0 with the state).
    simulator_->Reset();
    systemBox_->Reset();
    guarantee_->Reset();
    SetMode(StageMode::EnteredIdle);
    printing_->Reset();
    results_->Reset();
    state_.SystemSaved = 1;
}

void FinalStage::StopSimulation() {
    simulator_->Stop();
    // An optimiser run ends without a system; the list it emptied stays empty.
    guarantee_->CancelOptimise();
    // The drawn lines stay and can still be saved, checked and printed if the stage stays shown.
    if (mode_ == StageMode::SimulationRun || mode_ == StageMode::OptimiseRun)
        SetMode(StageMode::EnteredIdle);
    else
        state_.GeneratorBusy = 0;
}

void FinalStage::SpeedButton3Click() {
    if (!SpeedButton3->isEnabled()) return;
    if (state_.GeneratorBusy == 1) {
        if (!dialogs_.WarningQuestion(BackWhileBusyQuestion)) return;
        // The run may have ended by itself while the question was open; a finished system is
        // then offered for saving like any other.
        if (state_.GeneratorBusy == 1) {
            StopSimulation();
            // The lines drawn so far are not offered for saving.
            state_.SystemSaved = 1;
        }
    }
    if (!OfferSystemSave()) return;
    emit BackToEditor();
}

bool FinalStage::SaveSystemFile() {
    const QString name = dialogs_.SaveFileName(SaveFilter, "txt");
    if (name.isEmpty()) return true;
    const kombinator::FileResult result = kombinator::WriteSystemFile(FileNameBytes(name), SystemList());
    if (!result.ok) {
        dialogs_.Error(QString::fromStdString(result.error));
        return false;
    }
    return true;
}

bool FinalStage::OfferSystemSave() {
    if (state_.SystemSaved == 1 || SystemList().empty()) return true;
    if (dialogs_.ConfirmationQuestion(SaveQuestion)) {
        if (!SaveSystemFile()) return false;
    }
    state_.SystemSaved = 1;
    return true;
}

void FinalStage::SpeedButton4Click() {
    if (!SpeedButton4->isEnabled()) return;
    if (SystemList().empty()) {
        dialogs_.Message("Co chcesz zapisywać ? Lista jest pusta ! ");
        return;
    }
    if (!SaveSystemFile()) return;
    state_.SystemSaved = 1;
}

bool FinalStage::OpenSystemFileFromDialog() {
    const QString name = dialogs_.OpenFileName(OpenFilter, "txt");
    if (name.isEmpty()) return false;
    // The file is read whole before anything changes: a file that cannot be read leaves the
    // current system and the labels as they were.
    std::vector<std::string> lines;
    const kombinator::FileResult result = kombinator::ReadSystemFile(FileNameBytes(name), lines);
    if (!result.ok) {
        dialogs_.Error(QString::fromStdString(result.error));
        return false;
    }
    systemBox_->SetLines(std::move(lines));
    systemBox_->SetCount(QString::number(SystemList().size()));
    systemBox_->ClearSelectedRow();
    systemBox_->SetSecondsLeft(QString());
    guarantee_->Reset();
    simulator_->Reset();
    SetMode(StageMode::OpenedIdle);
    results_->Reset();
    printing_->Reset();
    return true;
}

#pragma once
// The final stage (Panel73): the top bar with the back and save buttons, and five boxes: the
// guarantee box, the simulation box, the system list, the result check and the print box.
// FinalStage composes them, owns the flags GeneratorBusy and SystemSaved (the only writer)
// and switches its controls between the states of StageMode from one table.

#include <QWidget>
#include <string>
#include <utility>
#include <vector>

#include "generator/simulation.h"
#include "ui/app_state.h"
#include "ui/stage_mode.h"

class DialogService;
class GuaranteeBox;
class PrintBox;
class PrintSurface;
class QFrame;
class QLabel;
class QToolButton;
class ResultCheckBox;
class SimulationBox;
class SoundPlayer;
class SystemListBox;

class FinalStage : public QWidget {
    Q_OBJECT
public:
    FinalStage(AppState& state, DialogService& dialogs, QWidget* parent = nullptr);
    ~FinalStage() override;

    GuaranteeBox& Guarantee() { return *guarantee_; }
    SimulationBox& Simulator() { return *simulator_; }
    SystemListBox& SystemBox() { return *systemBox_; }
    ResultCheckBox& Results() { return *results_; }
    PrintBox& Printing() { return *printing_; }

    // Entering from SpeedButton2: every reset step before the panels are switched.
    void EnterFromEditor();

    // FormCreate's LoadPrintSettings: reads the seven offset files from the current directory
    // into their edits. On success the stage is ready (SystemSaved 1, GeneratorBusy 0); the first
    // fault is reported (or left in `report` for the caller to show), the flags keep their start
    // value and false is returned.
    bool LoadPrintSettings(QString* report = nullptr);

    // The common "Yes" to a running-generator question of "Nowy", "Otwórz", "Zakończ" and the
    // window close: the run stops, the generators are usable again, GeneratorBusy := 0.
    // SystemSaved is left as it is.
    void StopSimulation();

    // OfferSystemSave. Returns false only when the chosen file could not be created; the
    // calling command then stops (the error has been shown).
    bool OfferSystemSave();

    // "Otwórz" from step 4 on: the open dialog, reading the file, resetting the stage.
    // Returns true when a file was read and the final stage must be shown.
    bool OpenSystemFileFromDialog();

    // The number of lines of the SystemList (ListBox1).
    int SystemLineCount() const;
    // The SystemList as the program keeps it (the text of ListBox1, byte for byte).
    const std::vector<std::string>& SystemList() const;
    // The running simulation's state (tests read its figures).
    const kombinator::Simulation& Simulation() const;

    // Seams: where coupons are printed and how the gong sounds. Not owned; nullptr restores the
    // real ones (QPrintDialog with a QPrinter, QSoundEffect).
    void SetPrintSurface(PrintSurface* surface);
    void SetSoundPlayer(SoundPlayer* player);

    // For the boxes: the state the stage is in, from the table of enabled and shown controls;
    // GeneratorBusy follows the state.
    void SetMode(StageMode mode);
    StageMode Mode() const { return mode_; }
    // A generator has put lines in the SystemList that are not in a file yet.
    void MarkSystemUnsaved() { state_.SystemSaved = 0; }

public slots:
    void SpeedButton3Click();  // back to the filter editor
    void SpeedButton4Click();  // save the system

signals:
    // SpeedButton3 decided to go back: TForm1 hides Panel73 and shows Panel5.
    void BackToEditor();

private:
    // SaveSystemFile: the save dialog and the write; false only when writing failed.
    bool SaveSystemFile();

    AppState& state_;
    DialogService& dialogs_;
    StageMode mode_ = StageMode::EnteredIdle;
    // The rows of the mode table with their controls found by name.
    std::vector<std::pair<const StageModeRow*, QWidget*>> modeControls_;

    QFrame* Panel74 = nullptr;
    QToolButton* SpeedButton3 = nullptr;
    QToolButton* SpeedButton4 = nullptr;
    QLabel* StaticText32 = nullptr;

    GuaranteeBox* guarantee_ = nullptr;
    SimulationBox* simulator_ = nullptr;
    SystemListBox* systemBox_ = nullptr;
    ResultCheckBox* results_ = nullptr;
    PrintBox* printing_ = nullptr;
};

#pragma once
// The final stage (Panel73): generators, the system list, the result check and printing.

#include <QWidget>

#include "ui/app_state.h"

class DialogService;

class FinalStage : public QWidget {
    Q_OBJECT
public:
    FinalStage(AppState& state, DialogService& dialogs, QWidget* parent = nullptr);

    // Entering from SpeedButton2: every reset step before the panels are switched.
    void EnterFromEditor();

    // FormCreate's LoadPrintSettings: reads the seven offset files from the current directory
    // into their edits; reports the first fault and returns false (start-up then skips the rest).
    bool LoadPrintSettings();

    // The common "Yes" to a running-generator question of "Nowy", "Otwórz", "Zakończ" and the
    // window close: stop Timer11 and Timer12, hide Panel80, enable Panel77 and Panel79,
    // GeneratorBusy := 0. SystemSaved is left as it is.
    void StopSimulation();

    // OfferSystemSave. Returns false only when the chosen file could not be created; the
    // calling command then stops (the error has been shown).
    bool OfferSystemSave();

    // "Otwórz" from step 4 on: the open dialog, reading the file, resetting the stage.
    // Returns true when a file was read and the final stage must be shown.
    bool OpenSystemFileFromDialog();

    // The number of lines of the SystemList (ListBox1).
    int SystemLineCount() const;

signals:
    // SpeedButton3 decided to go back: TForm1 hides Panel73 and shows Panel5.
    void BackToEditor();
};

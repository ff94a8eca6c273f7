#include "ui/final_stage.h"

// Placeholder until the final stage is built: an empty Panel73.
FinalStage::FinalStage(AppState& state, DialogService& dialogs, QWidget* parent) : QWidget(parent) {
    (void)state;
    (void)dialogs;
    setObjectName("Panel73");
}
void FinalStage::EnterFromEditor() {}
bool FinalStage::LoadPrintSettings() { return true; }
void FinalStage::StopSimulation() {}
bool FinalStage::OfferSystemSave() { return true; }
bool FinalStage::OpenSystemFileFromDialog() { return false; }
int FinalStage::SystemLineCount() const { return 0; }

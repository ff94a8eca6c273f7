#pragma once
// The final stage (Panel73): generators, the system list, the result check and printing.

#include <QWidget>
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "generator/simulation.h"
#include "io/coupon_pages.h"
#include "io/offset_files.h"
#include "ui/app_state.h"

class DialogService;
class PrintSurface;
class QFrame;
class QLabel;
class QLineEdit;
class QListView;
class QListWidget;
class QPushButton;
class QPrinter;
class QTimer;
class QToolButton;
class RadioGroup;
class SoundPlayer;
class SystemListModel;

class FinalStage : public QWidget {
    Q_OBJECT
public:
    FinalStage(AppState& state, DialogService& dialogs, QWidget* parent = nullptr);
    ~FinalStage() override;

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

    // The SystemList as the program keeps it (the text of ListBox1, byte for byte).
    const std::vector<std::string>& SystemList() const;

    // The running simulation's state (tests read its figures).
    const kombinator::Simulation& Simulation() const { return *simulation_; }

    // Seams: where coupons are printed and how the gong sounds. Not owned; nullptr restores the
    // real ones (QPrintDialog with a QPrinter, QSoundEffect).
    void SetPrintSurface(PrintSurface* surface);
    void SetSoundPlayer(SoundPlayer* player);

public slots:
    void SpeedButton3Click();  // back to the filter editor
    void SpeedButton4Click();  // save the system
    void ListBox1Click();      // the selected row into Label348
    void BitBtn1Click();       // guarantee system
    void BitBtn2Click();       // start the simulation
    void Timer11Timer();       // one draw
    void Timer12Timer();       // one second of the countdown
    void BitBtn3Click();       // result check
    void SpeedButton7Click();  // open or close the print panels
    void Button1Click();       // test print
    void Button2Click();       // save the printer offsets
    void Button3Click();       // print coupons
    void PreviewButtonClick(); // the same coupons in a print preview

signals:
    // SpeedButton3 decided to go back: TForm1 hides Panel73 and shows Panel5.
    void BackToEditor();

private:
    void BuildTopBar();
    void BuildGuaranteeBox();
    void BuildSimulationBox();
    void BuildSystemBox();
    void BuildResultBox();
    void BuildPrintBox();

    void ShowMessageOrReport(const std::string& message);
    // SaveSystemFile: the save dialog and the write; false only when writing failed.
    bool SaveSystemFile();
    void SetSystemList(std::vector<std::string> lines);
    void AppendSystemLine(std::string line);
    void UpdateColumnHeaders();
    void FinishSimulation();
    void SetGeneratorControlsEnabled(bool enabled);
    void ClearResultCheck();
    bool ReadPrintSettings();
    // The checks of "Drukuj" in order, then the pages of the range; false when one failed (reported).
    bool BuildPages(std::vector<kombinator::CouponPage>& pages);
    // One job: the pages in order, a new page between two of them.
    void PrintPages(PrintSurface& surface, const std::vector<kombinator::CouponPage>& pages);
    void EnableAfterRun();
    // The sound and the offset files go back to the start folder; a failure is reported.
    bool MakeStartDirectoryCurrent();

    AppState& state_;
    DialogService& dialogs_;
    SystemListModel* systemList_ = nullptr;

    std::unique_ptr<PrintSurface> ownSurface_;
    PrintSurface* surface_ = nullptr;
    std::unique_ptr<SoundPlayer> ownSound_;
    SoundPlayer* sound_ = nullptr;

    std::unique_ptr<kombinator::Simulation> simulation_;

    kombinator::PrintSettings printSettings_;

    // Top bar
    QFrame* Panel74 = nullptr;
    QToolButton* SpeedButton3 = nullptr;
    QToolButton* SpeedButton4 = nullptr;
    QLabel* StaticText32 = nullptr;
    // Guarantee systems
    QFrame* Panel76 = nullptr;
    QFrame* Panel77 = nullptr;
    RadioGroup* RadioGroup17 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    // Simulation
    QFrame* Panel78 = nullptr;
    QFrame* Panel79 = nullptr;
    RadioGroup* RadioGroup18 = nullptr;
    QLineEdit* MaskEdit13 = nullptr;
    QLineEdit* MaskEdit14 = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QTimer* Timer11 = nullptr;
    QTimer* Timer12 = nullptr;
    // System list
    QFrame* Panel75 = nullptr;
    std::array<QLabel*, 6> columnHeaders_{};
    QListView* ListBox1 = nullptr;
    QFrame* Panel82 = nullptr;
    QLabel* Label347 = nullptr;
    QLabel* Label348 = nullptr;
    QFrame* Panel80 = nullptr;
    QFrame* Panel81 = nullptr;
    std::array<QLabel*, 6> drawnLabels_{};  // Label341..Label346
    QLabel* Label349 = nullptr;
    // Result check
    QFrame* Panel83 = nullptr;
    std::array<QLineEdit*, 12> resultEdits_{};  // MaskEdit15..20, MaskEdit29..34
    QPushButton* BitBtn3 = nullptr;
    std::array<QLabel*, 4> hitCounters_{};        // Label354..Label357
    std::array<QListWidget*, 4> hitLines_{};      // ListBox2..ListBox5
    std::array<QListWidget*, 4> hitCoupons_{};    // ListBox6..ListBox9
    // Printing
    QFrame* Panel88 = nullptr;
    QToolButton* SpeedButton7 = nullptr;
    QLabel* Image3 = nullptr;
    QFrame* Panel89 = nullptr;
    QFrame* Panel90 = nullptr;
    std::array<QLineEdit*, 7> offsetEdits_{};  // in the order PX1, X1X2, PY1, Y1Y2, PYK, PYZ, PNR
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr;
    QPushButton* PreviewButton = nullptr;
    QLabel* Label371 = nullptr;
    QLineEdit* MaskEdit27 = nullptr;
    QLineEdit* MaskEdit28 = nullptr;
    RadioGroup* RadioGroup19 = nullptr;
};

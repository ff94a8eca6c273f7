#pragma once
// The guarantee box (Panel76, " Systemy gwarancyjne "): the level in RadioGroup17 and BitBtn1,
// which reduces the candidates inside its click, or, with OptimiseCheckBox ticked, starts the
// optimiser on a worker thread for the time limit of OptimiseSecondsEdit.

#include <QObject>
#include <cstdint>
#include <memory>
#include <vector>

class BackgroundJob;
class DialogService;
class FinalStage;
class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QVariant;
class QWidget;
class RadioGroup;
struct AppState;

class GuaranteeBox : public QObject {
    Q_OBJECT
public:
    GuaranteeBox(FinalStage& stage, AppState& state, DialogService& dialogs, QWidget* parent);
    ~GuaranteeBox() override;

    // The optimiser's progress panel, in the system list box where the countdown box stands.
    void BuildProgressPanel(QWidget* listPanel);
    // Entering and opening: the first level again, the optimiser unticked, no run.
    void Reset();
    // The "Yes" to a running-generator question: the run ends without a system.
    void CancelOptimise();

public slots:
    void BitBtn1Click();             // guarantee system
    void OptimiseStopButtonClick();  // end the run now, keeping the best system found

private:
    struct Run;
    void StartOptimise(int level);
    void OptimiseProgress(const QVariant& value);
    void OptimiseFinished();

    FinalStage& stage_;
    AppState& state_;
    DialogService& dialogs_;
    QFrame* Panel76 = nullptr;
    QFrame* Panel77 = nullptr;
    RadioGroup* RadioGroup17 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QCheckBox* OptimiseCheckBox = nullptr;
    QLineEdit* OptimiseSecondsEdit = nullptr;
    QFrame* OptimisePanel = nullptr;
    QProgressBar* OptimiseProgressBar = nullptr;
    QPushButton* OptimiseStopButton = nullptr;
    // What the worker hands over; shared so a run outlives nothing it reads.
    std::shared_ptr<Run> run_;
    std::unique_ptr<BackgroundJob> job_;
};

#pragma once
// "Analiza systemu": what the system of the final stage guarantees against the candidates, the
// current filters or every Combination, its hit distribution and its holes. The work runs on a
// worker thread; the dialog keeps its own copy of everything, so the final stage never changes.

#include <QDialog>
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/filter_settings.h"
#include "generator/system_analysis.h"

class BackgroundJob;
class DialogService;
class QButtonGroup;
class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;
class ShareBar;

class AnalysisDialog : public QDialog {
    Q_OBJECT
public:
    enum class Source { Candidates = 0, Filters = 1, Everything = 2 };

    struct Input {
        std::vector<std::string> systemList;
        // The candidates the system was made from; empty for an opened system.
        std::vector<std::uint32_t> candidates;
        kombinator::FilterSettings filters;
    };

    AnalysisDialog(Input input, DialogService& dialogs, QWidget* parent = nullptr);
    ~AnalysisDialog() override;

    // Starts the analysis against the chosen source (the one the radio buttons show).
    void Analyse();
    void SelectSource(Source source);
    bool Busy() const;
    // The last finished analysis (empty figures before the first).
    const kombinator::SystemAnalysis& Result() const { return result_; }

    // The texts the user reads, for tests: "6", "5", "4", "3", "0-2" rows.
    QString CountText(int row) const;
    QString ShareText(int row) const;

signals:
    // An analysis (or a save) ended; its figures are on screen.
    void AnalysisFinished();
    void HolesSaved();

public slots:
    void CancelClick();
    void SaveHolesClick();

protected:
    void reject() override;

private:
    void StartJob(bool saveHoles, const QString& holesFile);
    void JobFinished(bool cancelled);
    void ShowFigures();
    void ShowHoleCount();
    void SetRunning(bool running, const QString& what);
    int HoleLevel() const;

    Input input_;
    DialogService& dialogs_;
    kombinator::SystemLinesRead lines_;
    BackgroundJob* job_ = nullptr;
    kombinator::SystemAnalysis result_;
    bool haveResult_ = false;
    // Written by the worker, read once its job has finished.
    struct JobOutput {
        kombinator::SystemAnalysis analysis;
        std::string saveError;
        bool saved = false;
        bool tooManyHoles = false;
    };
    std::shared_ptr<JobOutput> output_;
    bool jobSaves_ = false;
    bool restartPending_ = false;

    QLabel* systemText_ = nullptr;
    QButtonGroup* sources_ = nullptr;
    QRadioButton* candidatesSource_ = nullptr;
    QRadioButton* filtersSource_ = nullptr;
    QRadioButton* allSource_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QLabel* statusText_ = nullptr;
    std::array<QLabel*, 5> counts_{};
    std::array<QLabel*, 5> shares_{};
    std::array<ShareBar*, 5> bars_{};
    QLabel* guaranteeText_ = nullptr;
    QComboBox* holeLevel_ = nullptr;
    QLabel* holeCountText_ = nullptr;
    QPushButton* saveHoles_ = nullptr;
    QPushButton* close_ = nullptr;
};

// "22 235": thousands grouped with a blank.
QString GroupedNumber(long long n);
// "System gwarantuje 4 trafienia dla każdego z 22 235 wyników" and its forms for other figures.
QString GuaranteeInWords(int guarantee, long long outcomes);

#include "ui/guarantee_box.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVariantList>
#include <algorithm>
#include <string>
#include <vector>

#include "generator/guarantee_optimiser.h"
#include "generator/guarantee_reduction.h"
#include "ui/app_state.h"
#include "ui/background_job.h"
#include "ui/dialog_service.h"
#include "ui/final_stage.h"
#include "ui/filter_widgets.h"
#include "ui/final_stage_widgets.h"
#include "ui/system_list_box.h"

namespace {
constexpr int DefaultOptimiseSeconds = 30;
constexpr int MaxOptimiseSeconds = 3600;
}  // namespace

struct GuaranteeBox::Run {
    std::vector<std::uint32_t> candidates;
    int level = 5;
    int seconds = DefaultOptimiseSeconds;
    std::vector<std::uint32_t> system;
};

GuaranteeBox::GuaranteeBox(FinalStage& stage, AppState& state, DialogService& dialogs, QWidget* parent)
    : QObject(parent), stage_(stage), state_(state), dialogs_(dialogs), job_(std::make_unique<BackgroundJob>()) {
    Panel76 = MakeStagePanel(parent, "Panel76", QRect(0, 36, 200, 176));
    MakeTitle(Panel76, "StaticText33", " Systemy gwarancyjne ", QRect(4, 4, 192, 18));
    Panel77 = MakeStagePanel(Panel76, "Panel77", QRect(4, 26, 192, 146), QFrame::Sunken);
    RadioGroup17 = new RadioGroup("RadioGroup17", QString(),
                                  {"system pełny - gw 6", "system skrócony - gw 5", "system skrócony - gw 4",
                                   "system skrócony - gw 3"},
                                  1, 19, Panel77);
    RadioGroup17->setGeometry(6, 4, 180, 84);
    BitBtn1 = MakeButton(Panel77, "BitBtn1", "OK", QRect(58, 91, 76, 24));
    connect(BitBtn1, &QPushButton::clicked, this, &GuaranteeBox::BitBtn1Click);

    OptimiseCheckBox = new QCheckBox("najmniej linii", Panel77);
    OptimiseCheckBox->setObjectName("OptimiseCheckBox");
    OptimiseCheckBox->setToolTip("Ta sama gwarancja przy jak najmniejszej liczbie linii (gw 5, 4 i 3)");
    OptimiseCheckBox->setGeometry(8, 120, 104, 20);
    OptimiseSecondsEdit = new QLineEdit(QString::number(DefaultOptimiseSeconds), Panel77);
    OptimiseSecondsEdit->setObjectName("OptimiseSecondsEdit");
    OptimiseSecondsEdit->setToolTip("Limit czasu szukania w sekundach");
    OptimiseSecondsEdit->setMaxLength(4);
    OptimiseSecondsEdit->setAlignment(Qt::AlignRight);
    OptimiseSecondsEdit->setGeometry(116, 119, 40, 21);
    auto* unit = new QLabel("sek.", Panel77);
    unit->setObjectName("OptimiseSecondsLabel");
    unit->setGeometry(160, 119, 28, 21);

    connect(job_.get(), &BackgroundJob::Progress, this, &GuaranteeBox::OptimiseProgress);
    connect(job_.get(), &BackgroundJob::Finished, this, &GuaranteeBox::OptimiseFinished);
}

GuaranteeBox::~GuaranteeBox() { job_->Cancel(); }

void GuaranteeBox::BuildProgressPanel(QWidget* listPanel) {
    OptimisePanel = MakeStagePanel(listPanel, "OptimisePanel", QRect(4, 362, 222, 79));
    MakeLabel(OptimisePanel, "OptimiseTitle", "Szukanie krótszego systemu", QRect(8, 4, 206, 18));
    OptimiseProgressBar = new QProgressBar(OptimisePanel);
    OptimiseProgressBar->setObjectName("OptimiseProgressBar");
    OptimiseProgressBar->setGeometry(8, 24, 206, 20);
    OptimiseProgressBar->setFormat("%v z %m sek.");
    OptimiseProgressBar->setAlignment(Qt::AlignCenter);
    OptimiseStopButton = MakeButton(OptimisePanel, "OptimiseStopButton", "Zatrzymaj", QRect(61, 49, 100, 24),
                                    "Koniec szukania: zostaje najkrótszy system znaleziony do tej pory");
    connect(OptimiseStopButton, &QPushButton::clicked, this, &GuaranteeBox::OptimiseStopButtonClick);
    OptimisePanel->hide();
}

void GuaranteeBox::Reset() {
    job_->Cancel();
    RadioGroup17->SetItemIndex(0);
    OptimiseCheckBox->setChecked(false);
}

void GuaranteeBox::BitBtn1Click() {
    if (!BitBtn1->isEnabled() || !Panel77->isEnabled()) return;
    const int level = kombinator::GuaranteeLevelFromIndex(RadioGroup17->ItemIndex());
    if (OptimiseCheckBox->isChecked() && level < 6) {
        StartOptimise(level);
        return;
    }
    SystemListBox& list = stage_.SystemBox();
    list.SetLines({});
    stage_.SetMode(StageMode::GuaranteeRun);
    list.SetCount("0");
    list.ClearSelectedRow();
    stage_.MarkSystemUnsaved();
    // The reduction runs inside the click; let the busy light and the disabled boxes show first.
    stage_.repaint();

    const std::int32_t candidates = std::clamp<std::int32_t>(state_.CandidateCount, 0, kombinator::StoreCapacity);
    std::vector<std::string> lines;
    if (candidates > 0)
        lines = kombinator::GuaranteeSystem(*state_.candidates, candidates, level, *state_.system, state_.SystemCount);

    list.SetCount(QString::number(lines.size()));
    stage_.SetMode(StageMode::EnteredIdle);
    list.SetLines(std::move(lines));
}

void GuaranteeBox::StartOptimise(int level) {
    bool ok = false;
    const int seconds = OptimiseSecondsEdit->text().trimmed().toInt(&ok);
    if (!ok || seconds < 1 || seconds > MaxOptimiseSeconds) {
        dialogs_.Message(QString("Limit czasu szukania musi być liczbą sekund od 1 do %1 !").arg(MaxOptimiseSeconds));
        return;
    }
    const std::int32_t count = std::clamp<std::int32_t>(state_.CandidateCount, 0, kombinator::StoreCapacity);
    if (count < 1) return;
    // The worker gets its own copy of the candidates; the stores stay the window's alone.
    run_ = std::make_shared<Run>();
    run_->level = level;
    run_->seconds = seconds;
    run_->candidates.reserve(static_cast<std::size_t>(count));
    for (std::int32_t k = 1; k <= count; ++k)
        run_->candidates.push_back(kombinator::CanonicalIndex(state_.candidates->At(k)));

    SystemListBox& list = stage_.SystemBox();
    list.SetLines({});
    stage_.SetMode(StageMode::OptimiseRun);
    list.SetCount("0");
    list.ClearSelectedRow();
    OptimiseProgressBar->setRange(0, seconds);
    OptimiseProgressBar->setValue(0);
    OptimiseStopButton->setEnabled(true);

    std::shared_ptr<Run> run = run_;
    job_->Start([run](const std::atomic<bool>& stop, const BackgroundJob::Report& report) {
        kombinator::OptimiseBudget budget;
        budget.seconds = run->seconds;
        run->system = kombinator::OptimiseGuaranteeSystem(
            run->candidates, run->level, budget, 1,
            [&](std::int32_t best, double used) { report(QVariantList{best, used}); }, &stop);
    });
}

void GuaranteeBox::OptimiseProgress(const QVariant& value) {
    const QVariantList figures = value.toList();
    if (figures.size() != 2) return;
    stage_.SystemBox().SetCount(QString::number(figures[0].toInt()));
    OptimiseProgressBar->setValue(std::min(OptimiseProgressBar->maximum(), static_cast<int>(figures[1].toDouble())));
}

void GuaranteeBox::OptimiseStopButtonClick() {
    if (!job_->Running()) return;
    OptimiseStopButton->setEnabled(false);
    job_->RequestStop();
}

void GuaranteeBox::OptimiseFinished() {
    // Filled exactly as the reduction fills it: the SystemStore, SystemCount, the list, Label347.
    std::int32_t count = 0;
    for (const std::uint32_t c : run_->system) state_.system->Set(++count, kombinator::CombinationFromCanonical(c));
    state_.SystemCount = count;
    run_.reset();
    std::vector<std::string> lines = kombinator::SystemLinesOf(*state_.system, count);
    SystemListBox& list = stage_.SystemBox();
    list.SetCount(QString::number(lines.size()));
    stage_.MarkSystemUnsaved();
    stage_.SetMode(StageMode::EnteredIdle);
    list.SetLines(std::move(lines));
}

void GuaranteeBox::CancelOptimise() {
    if (!job_->Running()) return;
    job_->Cancel();
    run_.reset();
    stage_.SystemBox().SetCount("0");
}

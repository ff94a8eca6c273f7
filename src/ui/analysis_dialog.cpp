#include "ui/analysis_dialog.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

#include "model/half_set.h"
#include "io/system_line.h"
#include "io/system_file.h"
#include "ui/background_job.h"
#include "ui/dialog_service.h"
#include "ui/window_io.h"

namespace {

// The same save dialog as the system's own.
const QString HolesFilter = QStringLiteral("Plik textowy(*.txt)|*.txt");
// A hole file is a system file; more lines than this make no sense on coupons or in memory.
constexpr long long MaxSavedHoles = 1000000;
const char* const RowCaptions[5] = {"6", "5", "4", "3", "0-2"};

QString Trafienia(int n) {
    if (n == 1) return "trafienie";
    if (n >= 2 && n <= 4) return "trafienia";
    return "trafień";
}

// "1 linia", "2 linie", "5 linii", "22 linie", "314 linii".
QString Linie(long long n) {
    if (n == 1) return "linia";
    const long long ones = n % 10, tens = n % 100;
    return ones >= 2 && ones <= 4 && !(tens >= 12 && tens <= 14) ? "linie" : "linii";
}

// The worker's view of the job: its stop flag, and progress in steps of 64 first halves of 4,096.
kombinator::AnalysisControl Control(const std::atomic<bool>& stop, const BackgroundJob::Report& report) {
    kombinator::AnalysisControl control;
    control.stop = &stop;
    control.progress = [&report](int done) {
        if (done % 64 == 0) report(done);
    };
    return control;
}

}  // namespace

// A bar for one row of the distribution: its length is the row's share of the outcomes.
class ShareBar : public QWidget {
public:
    explicit ShareBar(QWidget* parent) : QWidget(parent) {}
    void SetShare(double share) {
        share_ = share;
        update();
    }
    double Share() const { return share_; }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), QColor(255, 255, 255));
        p.setPen(QColor(128, 128, 128));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
        const int w = static_cast<int>((width() - 2) * share_ + 0.5);
        if (w > 0) p.fillRect(QRect(1, 1, w, height() - 2), QColor(0, 0, 128));
    }

private:
    double share_ = 0;
};

QString GroupedNumber(long long n) {
    QString digits = QString::number(n < 0 ? -n : n);
    for (int i = digits.size() - 3; i > 0; i -= 3) digits.insert(i, ' ');
    return n < 0 ? "-" + digits : digits;
}

QString GuaranteeInWords(int guarantee, long long outcomes) {
    if (outcomes == 0) return "Brak wyników do porównania";
    if (guarantee == 0) return "System nie gwarantuje żadnego trafienia dla " + GroupedNumber(outcomes) + " wyników";
    const QString hits = QString::number(guarantee) + " " + Trafienia(guarantee);
    if (outcomes == 1) return "System gwarantuje " + hits + " dla jedynego wyniku";
    return "System gwarantuje " + hits + " dla każdego z " + GroupedNumber(outcomes) + " wyników";
}

AnalysisDialog::AnalysisDialog(Input input, DialogService& dialogs, QWidget* parent)
    : QDialog(parent), input_(std::move(input)), dialogs_(dialogs) {
    setObjectName("AnalysisDialog");
    setWindowTitle("Analiza systemu");
    setFixedSize(470, 452);
    lines_ = kombinator::ReadAnalysisLines(input_.systemList);
    job_ = new BackgroundJob(this);
    connect(job_, &BackgroundJob::Progress, this, [this](const QVariant& value) { progress_->setValue(value.toInt()); });
    connect(job_, &BackgroundJob::Finished, this, &AnalysisDialog::JobFinished);

    systemText_ = new QLabel(this);
    systemText_->setObjectName("SystemLinesText");
    systemText_->setGeometry(12, 10, 446, 18);
    const long long lineCount = static_cast<long long>(input_.systemList.size());
    systemText_->setText("System: " + GroupedNumber(lineCount) + " " + Linie(lineCount));

    auto* sourceBox = new QGroupBox(" Porównaj z wynikami ", this);
    sourceBox->setObjectName("SourceBox");
    sourceBox->setGeometry(12, 32, 446, 92);
    sources_ = new QButtonGroup(this);
    candidatesSource_ = new QRadioButton(
        input_.candidates.empty()
            ? QString("kandydaci, z których powstał system")
            : "kandydaci, z których powstał system (" + GroupedNumber(static_cast<long long>(input_.candidates.size())) + ")",
        sourceBox);
    candidatesSource_->setObjectName("CandidatesSource");
    candidatesSource_->setGeometry(12, 20, 420, 20);
    filtersSource_ = new QRadioButton("wszystkie kombinacje bieżących filtrów", sourceBox);
    filtersSource_->setObjectName("FiltersSource");
    filtersSource_->setGeometry(12, 42, 420, 20);
    allSource_ = new QRadioButton("wszystkie kombinacje (16 777 216)", sourceBox);
    allSource_->setObjectName("AllSource");
    allSource_->setGeometry(12, 64, 420, 20);
    // As wide as their texts, so a click beside a text does not choose a source.
    for (QRadioButton* b : {candidatesSource_, filtersSource_, allSource_}) b->resize(b->sizeHint().width(), 20);
    sources_->addButton(candidatesSource_, static_cast<int>(Source::Candidates));
    sources_->addButton(filtersSource_, static_cast<int>(Source::Filters));
    sources_->addButton(allSource_, static_cast<int>(Source::Everything));
    const bool fromCandidates = !input_.candidates.empty();
    candidatesSource_->setEnabled(fromCandidates);
    (fromCandidates ? candidatesSource_ : allSource_)->setChecked(true);
    connect(sources_, &QButtonGroup::idClicked, this, [this](int) { Analyse(); });

    progress_ = new QProgressBar(this);
    progress_->setObjectName("AnalysisProgress");
    progress_->setGeometry(12, 132, 340, 22);
    progress_->setRange(0, kombinator::HalfCount);
    progress_->setTextVisible(false);
    cancel_ = new QPushButton("Przerwij", this);
    cancel_->setObjectName("CancelAnalysis");
    cancel_->setGeometry(362, 130, 96, 26);
    connect(cancel_, &QPushButton::clicked, this, &AnalysisDialog::CancelClick);
    statusText_ = new QLabel(this);
    statusText_->setObjectName("StatusText");
    statusText_->setGeometry(12, 132, 446, 22);

    auto* table = new QFrame(this);
    table->setObjectName("DistributionTable");
    table->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    table->setGeometry(12, 162, 446, 150);
    const auto header = [&](const QString& text, int x, int w, Qt::Alignment align) {
        auto* label = new QLabel(text, table);
        label->setGeometry(x, 6, w, 18);
        label->setAlignment(align | Qt::AlignVCenter);
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
    };
    header("Trafienia", 10, 70, Qt::AlignLeft);
    header("Wyniki", 84, 92, Qt::AlignRight);
    header("Udział", 180, 64, Qt::AlignRight);
    for (int row = 0; row < 5; ++row) {
        const int y = 30 + 23 * row;
        auto* caption = new QLabel(RowCaptions[row], table);
        caption->setObjectName(QString("HitsCaption%1").arg(row));
        caption->setGeometry(10, y, 70, 20);
        counts_[static_cast<std::size_t>(row)] = new QLabel(table);
        counts_[static_cast<std::size_t>(row)]->setObjectName(QString("OutcomeCount%1").arg(row));
        counts_[static_cast<std::size_t>(row)]->setGeometry(84, y, 92, 20);
        counts_[static_cast<std::size_t>(row)]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        shares_[static_cast<std::size_t>(row)] = new QLabel(table);
        shares_[static_cast<std::size_t>(row)]->setObjectName(QString("OutcomeShare%1").arg(row));
        shares_[static_cast<std::size_t>(row)]->setGeometry(180, y, 64, 20);
        shares_[static_cast<std::size_t>(row)]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        bars_[static_cast<std::size_t>(row)] = new ShareBar(table);
        bars_[static_cast<std::size_t>(row)]->setObjectName(QString("ShareBar%1").arg(row));
        bars_[static_cast<std::size_t>(row)]->setGeometry(256, y + 3, 178, 14);
    }

    guaranteeText_ = new QLabel(this);
    guaranteeText_->setObjectName("GuaranteeText");
    guaranteeText_->setGeometry(12, 320, 446, 20);
    QFont bold = guaranteeText_->font();
    bold.setBold(true);
    guaranteeText_->setFont(bold);

    auto* holeBox = new QGroupBox(" Dziury ", this);
    holeBox->setObjectName("HoleBox");
    holeBox->setGeometry(12, 346, 446, 62);
    auto* levelCaption = new QLabel("wyniki z mniej niż", holeBox);
    levelCaption->setGeometry(12, 24, 112, 22);
    holeLevel_ = new QComboBox(holeBox);
    holeLevel_->setObjectName("HoleLevel");
    holeLevel_->addItems({"5", "4", "3"});
    holeLevel_->setCurrentIndex(1);
    holeLevel_->setGeometry(126, 24, 48, 22);
    auto* levelTail = new QLabel("trafieniami:", holeBox);
    levelTail->setGeometry(180, 24, 74, 22);
    holeCountText_ = new QLabel(holeBox);
    holeCountText_->setObjectName("HoleCountText");
    holeCountText_->setGeometry(256, 24, 70, 22);
    holeCountText_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    saveHoles_ = new QPushButton("Zapisz dziury…", holeBox);
    saveHoles_->setObjectName("SaveHoles");
    saveHoles_->setGeometry(334, 22, 102, 26);
    connect(holeLevel_, &QComboBox::currentIndexChanged, this, [this] { ShowHoleCount(); });
    connect(saveHoles_, &QPushButton::clicked, this, &AnalysisDialog::SaveHolesClick);

    close_ = new QPushButton("Zamknij", this);
    close_->setObjectName("CloseButton");
    close_->setGeometry(362, 416, 96, 26);
    connect(close_, &QPushButton::clicked, this, &AnalysisDialog::reject);

    ShowFigures();
    SetRunning(false, QString());
}

AnalysisDialog::~AnalysisDialog() = default;

bool AnalysisDialog::Busy() const { return job_->Running(); }

int AnalysisDialog::HoleLevel() const { return 5 - holeLevel_->currentIndex(); }

void AnalysisDialog::SelectSource(Source source) {
    sources_->button(static_cast<int>(source))->setChecked(true);
    Analyse();
}

void AnalysisDialog::Analyse() {
    if (!lines_.ok) {
        // The same report as the result check gives for a line it cannot read; no analysis.
        dialogs_.Error(FromBytes(lines_.error));
        statusText_->setText("Linia " + QString::number(lines_.badLine) + " systemu nie jest linią kombinacji.");
        return;
    }
    if (job_->Running()) {
        // The running job stops at its next step; the new one starts when it has.
        restartPending_ = true;
        job_->RequestStop();
        return;
    }
    StartJob(false, QString());
}

void AnalysisDialog::StartJob(bool saveHoles, const QString& holesFile) {
    restartPending_ = false;
    jobSaves_ = saveHoles;
    output_ = std::make_shared<JobOutput>();
    std::shared_ptr<JobOutput> output = output_;
    const int level = HoleLevel();
    const std::string path = FileNameBytes(holesFile);
    if (saveHoles) {
        const kombinator::SystemAnalysis analysis = result_;
        job_->Start([output, analysis, level, path](const std::atomic<bool>& stop, const BackgroundJob::Report& report) {
            const std::vector<std::uint32_t> holes = analysis.Holes(level, Control(stop, report));
            if (stop) return;
            std::vector<std::string> lines;
            lines.reserve(holes.size());
            for (std::uint32_t h : holes) lines.push_back(kombinator::FormatSystemLine(kombinator::CombinationFromCanonical(h)));
            const kombinator::FileResult written = kombinator::WriteSystemFile(path, lines);
            output->saved = written.ok;
            output->saveError = written.error;
        });
        SetRunning(true, "Zapisywanie dziur…");
        return;
    }
    const Source source = static_cast<Source>(sources_->checkedId());
    kombinator::OutcomeSource outcomes = kombinator::OutcomeSource::Everything();
    if (source == Source::Candidates) outcomes = kombinator::OutcomeSource::FromList(input_.candidates);
    if (source == Source::Filters) outcomes = kombinator::OutcomeSource::Passing(input_.filters);
    const std::vector<kombinator::AnalysisLine> lines = lines_.lines;
    job_->Start([output, lines, outcomes](const std::atomic<bool>& stop, const BackgroundJob::Report& report) {
        output->analysis = kombinator::AnalyseSystem(lines, outcomes, Control(stop, report));
    });
    SetRunning(true, QString());
}

void AnalysisDialog::CancelClick() {
    restartPending_ = false;
    job_->RequestStop();
}

void AnalysisDialog::SaveHolesClick() {
    if (!haveResult_ || job_->Running()) return;
    const long long holes = result_.HoleCount(HoleLevel());
    if (holes > MaxSavedHoles) {
        dialogs_.Message("Zbyt wiele dziur do zapisania: " + GroupedNumber(holes) + " (najwyżej " +
                         GroupedNumber(MaxSavedHoles) + ").");
        return;
    }
    const QString name = dialogs_.SaveFileName(HolesFilter, "txt");
    if (name.isEmpty()) return;
    StartJob(true, name);
}

void AnalysisDialog::JobFinished(bool cancelled) {
    const std::shared_ptr<JobOutput> output = output_;
    const bool saving = jobSaves_;
    jobSaves_ = false;
    SetRunning(false, QString());
    if (restartPending_) {
        StartJob(false, QString());
        return;
    }
    if (saving) {
        if (cancelled) {
            statusText_->setText("Zapis dziur przerwany.");
        } else if (!output->saved) {
            dialogs_.Error(FromBytes(output->saveError));
        } else {
            statusText_->setText("Dziury zapisane.");
        }
        emit HolesSaved();
        return;
    }
    if (cancelled || output->analysis.stopped) {
        statusText_->setText("Analiza przerwana.");
        haveResult_ = false;
        ShowFigures();
    } else if (!output->analysis.message.empty()) {
        // The current filters are incomplete: the FilterRun's own message.
        statusText_->setText(FromBytes(output->analysis.message));
        haveResult_ = false;
        ShowFigures();
    } else {
        result_ = output->analysis;
        haveResult_ = true;
        statusText_->setText(QString());
        ShowFigures();
    }
    emit AnalysisFinished();
}

void AnalysisDialog::SetRunning(bool running, const QString& what) {
    progress_->setVisible(running);
    cancel_->setVisible(running);
    statusText_->setVisible(!running);
    if (running) {
        progress_->setValue(0);
        statusText_->setText(what);
    }
    holeLevel_->setEnabled(!running);
    saveHoles_->setEnabled(!running && haveResult_ && result_.HoleCount(HoleLevel()) > 0);
}

void AnalysisDialog::ShowFigures() {
    const long long total = haveResult_ ? result_.outcomes : 0;
    for (int row = 0; row < 5; ++row) {
        const std::size_t r = static_cast<std::size_t>(row);
        if (!haveResult_) {
            counts_[r]->setText("–");
            shares_[r]->setText("–");
            bars_[r]->SetShare(0);
            continue;
        }
        const long long n = row < 4 ? result_.Best(6 - row) : result_.BestZeroToTwo();
        const double share = total > 0 ? static_cast<double>(n) / static_cast<double>(total) : 0.0;
        counts_[r]->setText(GroupedNumber(n));
        shares_[r]->setText(QString::number(100.0 * share, 'f', 1).replace('.', ',') + " %");
        bars_[r]->SetShare(share);
    }
    guaranteeText_->setText(haveResult_ ? GuaranteeInWords(result_.guarantee, result_.outcomes) : QString());
    ShowHoleCount();
}

void AnalysisDialog::ShowHoleCount() {
    holeCountText_->setText(haveResult_ ? GroupedNumber(result_.HoleCount(HoleLevel())) : "–");
    saveHoles_->setEnabled(!job_->Running() && haveResult_ && result_.HoleCount(HoleLevel()) > 0);
}

QString AnalysisDialog::CountText(int row) const { return counts_[static_cast<std::size_t>(row)]->text(); }
QString AnalysisDialog::ShareText(int row) const { return shares_[static_cast<std::size_t>(row)]->text(); }

void AnalysisDialog::reject() {
    // Closing stops the work and waits for it (a step is a few microseconds).
    restartPending_ = false;
    if (job_->Running()) {
        job_->Cancel();
        jobSaves_ = false;
        SetRunning(false, QString());
    }
    QDialog::reject();
}

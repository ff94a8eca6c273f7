#include "ui/backtest_dialog.h"

#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <array>

#include "engine/filter_funnel.h"
#include "io/system_line.h"
#include "io/results_archive.h"
#include "ui/dialog_service.h"
#include "ui/number_text.h"

namespace {

const QString ArchiveFilter = QStringLiteral("Pliki textowe(*.txt)|*.txt");
const QColor PassedColour(30, 120, 50), RejectedColour(170, 20, 20), LoosenBackground(255, 230, 150);

QString FamilyText(kombinator::ChainStep step) {
    const std::string_view family = kombinator::ChainStepFamily(step);
    return QString::fromUtf8(family.data(), qsizetype(family.size()));
}

QTableWidgetItem* Cell(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled);
    return item;
}

}  // namespace

BacktestDialog::BacktestDialog(DialogService& dialogs, QWidget* parent) : QDialog(parent), dialogs_(dialogs) {
    setObjectName("BacktestDialog");
    setWindowTitle("Test na archiwum wyników");
    auto* layout = new QVBoxLayout(this);

    auto* pathRow = new QHBoxLayout;
    pathLabel_ = new QLabel(this);
    pathLabel_->setObjectName("ArchivePathLabel");
    pathLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    pathRow->addWidget(pathLabel_, 1);
    auto* pick = new QPushButton("Wybierz archiwum…", this);
    pick->setObjectName("PickArchiveButton");
    connect(pick, &QPushButton::clicked, this, &BacktestDialog::PickArchiveClick);
    pathRow->addWidget(pick);
    layout->addLayout(pathRow);

    table_ = new QTableWidget(0, 3, this);
    table_->setObjectName("BacktestTable");
    table_->setHorizontalHeaderLabels({"Kolejka", "Wyniki", "Werdykt filtrów"});
    table_->verticalHeader()->hide();
    table_->setSelectionMode(QAbstractItemView::NoSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
    layout->addWidget(table_, 1);

    summary_ = new QLabel(this);
    summary_->setObjectName("BacktestSummary");
    QFont bold = summary_->font();
    bold.setBold(true);
    summary_->setFont(bold);
    layout->addWidget(summary_);
    loosen_ = new QLabel(this);
    loosen_->setObjectName("LoosenLabel");
    loosen_->setWordWrap(true);
    layout->addWidget(loosen_);

    auto* close = new QPushButton("Zamknij", this);
    close->setObjectName("BacktestClose");
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(close, 0, Qt::AlignRight);
    resize(600, 460);
}

void BacktestDialog::PickArchiveClick() {
    const QString path = dialogs_.OpenFileName(ArchiveFilter, "txt");
    if (!path.isEmpty()) ShowArchive(path, settings_);
}

void BacktestDialog::ShowArchive(const QString& path, const kombinator::FilterSettings& settings) {
    settings_ = settings;
    path_ = path;
    pathLabel_->setText("Archiwum: " + path);
    table_->setRowCount(0);
    summary_->clear();
    loosen_->clear();

    const std::string localPath = QFile::encodeName(path).toStdString();
    const kombinator::ResultsArchive archive = kombinator::ReadResultsArchive(localPath);
    if (!archive.ok) {
        QString error = QString::fromStdString(archive.error).replace(QString::fromStdString(localPath), path);
        if (archive.badLine > 0) error = QString("Wiersz %1: %2").arg(archive.badLine).arg(error);
        summary_->setText(error);
        return;
    }
    const kombinator::BacktestResult result = kombinator::BacktestFilters(settings, archive.outcomes);
    if (!result.valid()) {
        summary_->setText(QString::fromStdString(result.message));
        return;
    }

    // The family that rejected the most rounds is the one to loosen; the earlier step on a tie.
    std::array<int, kombinator::ChainStepCount> rejectedBy{};
    for (const kombinator::BacktestVerdict& v : result.verdicts)
        if (!v.passed) ++rejectedBy[std::size_t(v.rejectedBy)];
    int most = -1;
    for (int step = 0; step < kombinator::ChainStepCount; ++step)
        if (rejectedBy[std::size_t(step)] > 0 && (most < 0 || rejectedBy[std::size_t(step)] > rejectedBy[std::size_t(most)]))
            most = step;

    const int rounds = int(result.verdicts.size());
    table_->setRowCount(rounds);
    for (int row = 0; row < rounds; ++row) {
        const kombinator::BacktestVerdict& v = result.verdicts[std::size_t(row)];
        table_->setItem(row, 0, Cell(QString::number(row + 1)));
        table_->setItem(row, 1, Cell(QString::fromStdString(kombinator::FormatSystemLine(archive.outcomes[std::size_t(row)])).trimmed()));
        QTableWidgetItem* verdict = Cell(v.passed ? QString("przechodzi") : "odrzuca: " + FamilyText(v.rejectedBy));
        verdict->setForeground(v.passed ? PassedColour : RejectedColour);
        if (!v.passed && int(v.rejectedBy) == most) {
            verdict->setBackground(LoosenBackground);
            QFont bold = verdict->font();
            bold.setBold(true);
            verdict->setFont(bold);
        }
        table_->setItem(row, 2, verdict);
    }
    table_->resizeColumnToContents(0);
    table_->resizeColumnToContents(1);

    const double share = rounds > 0 ? 100.0 * result.passed / rounds : 0.0;
    summary_->setText(QString("Przeszło: %1 z %2 kolejek (%3 %)")
                          .arg(GroupedNumber(result.passed), GroupedNumber(rounds), QString::number(share, 'f', 1).replace('.', ',')));
    if (most >= 0)
        loosen_->setText(QString("Najwięcej kolejek odrzuca: %1 (%2 z %3) – ten filtr warto poluzować.")
                             .arg(FamilyText(kombinator::ChainStep(most)))
                             .arg(rejectedBy[std::size_t(most)])
                             .arg(rounds));
}

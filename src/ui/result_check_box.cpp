#include "ui/result_check_box.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <string>

#include "generator/result_check.h"
#include "io/results_archive.h"
#include "ui/dialog_service.h"
#include "ui/app_state.h"
#include "ui/filter_widgets.h"
#include "ui/final_stage_widgets.h"
#include "ui/sound_player.h"
#include "ui/window_io.h"
#include "ui/system_list_box.h"

namespace {

// A hit list: two entries of `rowHeight` pixels show at a time; a bar tells that more are listed.
QListWidget* MakeHitList(QWidget* parent, const QString& name, const QRect& geometry, int rowHeight) {
    auto* list = new QListWidget(parent);
    list->setObjectName(name);
    list->setGeometry(geometry);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSortingEnabled(false);
    list->setUniformItemSizes(true);
    list->setFocusPolicy(Qt::ClickFocus);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    list->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    list->setStyleSheet(QStringLiteral("QListWidget::item { height: %1px; padding: 0px; } "
                                       "QScrollBar:vertical { width: 10px; }")
                            .arg(rowHeight));
    return list;
}

}  // namespace

ResultCheckBox::ResultCheckBox(AppState& state, DialogService& dialogs, const SystemListBox& list, QWidget* parent)
    : QObject(parent), state_(state), dialogs_(dialogs), list_(list) {
    Panel83 = MakeStagePanel(parent, "Panel83", QRect(438, 36, 235, 206));
    MakeTitle(Panel83, "StaticText39", " Sprawdzanie wyników ", QRect(4, 4, 227, 18));
    static const int editNumbers[12] = {15, 16, 17, 18, 19, 20, 29, 30, 31, 32, 33, 34};
    for (int p = 0; p < 6; ++p) {
        const int x = 9 + p * 37;
        MakeLabel(Panel83, QString("StaticText%1").arg(p < 3 ? 40 + p : 60 + p), QString("P %1").arg(p + 1),
                  QRect(x, 25, 35, 15), Qt::AlignCenter);
        for (int side = 0; side < 2; ++side) {
            const int i = 2 * p + side;
            QLineEdit* edit = MakeMaskedEdit(QString("MaskEdit%1").arg(editNumbers[i]), 1, ' ', Panel83);
            // Home above left, away below right: a zig-zag under each header.
            edit->setGeometry(x + side * 18, 41 + side * 10, 17, 20);
            edit->setAlignment(Qt::AlignCenter);
            resultEdits_[static_cast<std::size_t>(i)] = edit;
        }
    }
    BitBtn3 = MakeButton(Panel83, "BitBtn3", "OK", QRect(9, 76, 76, 24));
    connect(BitBtn3, &QPushButton::clicked, this, &ResultCheckBox::BitBtn3Click);
    ArchiveButton = MakeButton(Panel83, "ArchiveButton", "Dopisz do archiwum", QRect(91, 76, 136, 24));
    ArchiveButton->setEnabled(false);
    connect(ArchiveButton, &QPushButton::clicked, this, &ResultCheckBox::ArchiveButtonClick);
    // Results typed after a check are not what was checked.
    for (QLineEdit* edit : resultEdits_)
        connect(edit, &QLineEdit::textChanged, this, [this] {
            checkedResults_.reset();
            ArchiveButton->setEnabled(false);
        });

    static const char* headers[4] = {" 6 ", " 5 ", " 4 ", " 3 "};
    for (std::size_t i = 0; i < 4; ++i) {
        const int n = static_cast<int>(i);
        const int x = 54 + n * 45;
        MakeLabel(Panel83, QString("StaticText%1").arg(54 + n), headers[i], QRect(x, 106, 43, 16), Qt::AlignCenter)
            ->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        hitCounters_[i] = MakeLabel(Panel83, QString("Label%1").arg(354 + n), "", QRect(x, 124, 43, 16), Qt::AlignCenter);
        hitLines_[i] = MakeHitList(Panel83, QString("ListBox%1").arg(2 + n), QRect(x, 142, 43, 30), 13);
        hitCoupons_[i] = MakeHitList(Panel83, QString("ListBox%1").arg(6 + n), QRect(x, 172, 43, 30), 13);
    }
    // Wide enough for their leading blanks one point larger too.
    MakeLabel(Panel83, "Label358", "     Lista ", QRect(1, 142, 52, 30));
    MakeLabel(Panel83, "Label359", "    Kupon ", QRect(1, 172, 52, 30));
    SetSoundPlayer(nullptr);
}

ResultCheckBox::~ResultCheckBox() = default;

void ResultCheckBox::SetSoundPlayer(SoundPlayer* player) {
    if (player) {
        sound_ = player;
        return;
    }
    if (!ownSound_) ownSound_ = std::make_unique<QtSoundPlayer>();
    sound_ = ownSound_.get();
}

void ResultCheckBox::Reset() {
    for (QLineEdit* edit : resultEdits_) edit->clear();
    checkedResults_.reset();
    ArchiveButton->setEnabled(false);
    for (std::size_t i = 0; i < 4; ++i) {
        hitCounters_[i]->clear();
        hitLines_[i]->clear();
        hitCoupons_[i]->clear();
    }
}

void ResultCheckBox::BitBtn3Click() {
    if (!BitBtn3->isEnabled()) return;
    std::array<std::string, kombinator::ResultEditCount> texts;
    for (std::size_t i = 0; i < texts.size(); ++i) texts[i] = EditBytes(resultEdits_[i]);
    // Every line is read before the lists change, so a bad line leaves the previous results whole.
    const kombinator::ResultCheck check = kombinator::CheckResults(texts, list_.Lines());
    // A check whose twelve edits are valid (a bad line of the system is no fault of the results)
    // offers to keep them in the archive.
    checkedResults_.reset();
    if (check.ok || check.badLine) {
        kombinator::Combination results;
        for (std::size_t i = 0; i < texts.size(); ++i) {
            const QString digit = QString::fromStdString(texts[i]).trimmed();
            const auto goals = static_cast<std::uint8_t>(digit.toInt());
            if (i % 2 == 0) results.scores[i / 2].home = goals;
            else results.scores[i / 2].away = goals;
        }
        checkedResults_ = results;
    }
    ArchiveButton->setEnabled(checkedResults_.has_value());
    if (!check.ok) {
        ShowCoreMessage(dialogs_, check.messageKind, check.message);
        return;
    }
    for (std::size_t i = 0; i < 4; ++i) {
        const kombinator::HitList& hits = check.hits[i];
        hitLines_[i]->clear();
        hitCoupons_[i]->clear();
        for (const std::string& n : hits.lista) hitLines_[i]->addItem(QString::fromStdString(n));
        for (const std::string& at : hits.kupon) hitCoupons_[i]->addItem(QString::fromStdString(at));
        hitCounters_[i]->setText(QString::number(hits.count));
    }
    if (check.sound) {
        if (!MakeStartDirectoryCurrent(state_.StartDirectory, dialogs_)) return;
        sound_->Play(QDir(state_.StartDirectory).filePath("Gong.wav"));
    }
}

void ResultCheckBox::ArchiveButtonClick() {
    if (!ArchiveButton->isEnabled() || !checkedResults_) return;
    const QString name = QString::fromUtf8(kombinator::ResultsArchiveName.data(),
                                           static_cast<qsizetype>(kombinator::ResultsArchiveName.size()));
    const QString path = QDir(state_.StartDirectory).filePath(name);
    const std::string localPath = QFile::encodeName(path).toStdString();
    const kombinator::ArchiveAppendResult result = kombinator::AppendToResultsArchive(localPath, *checkedResults_);
    switch (result.outcome) {
        case kombinator::ArchiveAppend::Appended:
            ArchiveButton->setEnabled(false);
            dialogs_.Message(QString("Wyniki dopisane do archiwum %1 (kolejek: %2).").arg(name).arg(result.rounds));
            break;
        case kombinator::ArchiveAppend::SameRound:
            ArchiveButton->setEnabled(false);
            dialogs_.Message(QString("Te wyniki są już ostatnią kolejką archiwum %1 !").arg(name));
            break;
        case kombinator::ArchiveAppend::Failed: {
            QString error = QString::fromStdString(result.error).replace(QString::fromStdString(localPath), path);
            if (result.badLine > 0) error = QString("%1, wiersz %2: %3").arg(path).arg(result.badLine).arg(error);
            dialogs_.Error(error);
            break;
        }
    }
}

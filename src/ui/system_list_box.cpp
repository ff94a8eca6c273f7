#include "ui/system_list_box.h"

#include <QFont>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QListView>
#include <QSignalBlocker>

#include "generator/simulation.h"
#include "io/system_line.h"
#include "ui/filter_widgets.h"
#include "ui/final_stage_widgets.h"
#include "ui/window_io.h"

SystemListBox::SystemListBox(QWidget* stage) : QObject(stage) {
    Panel75 = MakeStagePanel(stage, "Panel75", QRect(204, 36, 230, 445));
    MakeTitle(Panel75, "StaticText36", " Generator systemu ", QRect(4, 4, 222, 18));

    model_ = new SystemListModel(this);
    ListBox1 = new QListView(Panel75);
    ListBox1->setObjectName("ListBox1");
    ListBox1->setGeometry(4, 44, 222, 272);
    ListBox1->setModel(model_);
    ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListBox1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListBox1->setUniformItemSizes(true);
    ListBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ListBox1->setStyleSheet(QStringLiteral("QListView::item { height: 14px; padding: 0px; }"));
    QFont listFont = ListBox1->font();
    listFont.setStyleHint(QFont::Monospace);
    listFont.setFamilies({"Liberation Mono", "DejaVu Sans Mono", "Monospace"});
    listFont.setPointSize(8);
    ListBox1->setFont(listFont);
    ListBox1->setTextElideMode(Qt::ElideNone);
    // No tab stop, but a click gives it the keys, so rows can be selected with the arrows too.
    ListBox1->setFocusPolicy(Qt::ClickFocus);
    connect(ListBox1->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &SystemListBox::ListBox1Click);
    for (int p = 0; p < 6; ++p)
        columnHeaders_[static_cast<std::size_t>(p)] =
            MakeLabel(Panel75, QString("StaticText%1").arg(48 + p), QString("P %1").arg(p + 1), QRect(0, 26, 30, 16));
    UpdateColumnHeaders();

    Panel82 = MakeStagePanel(Panel75, "Panel82", QRect(208, 26, 16, 14));
    Panel82->setStyleSheet("QFrame#Panel82 { background: red; }");
    Panel82->hide();

    MakeLabel(Panel75, "StaticText37", "Liczba kombinacji", QRect(4, 320, 108, 18), Qt::AlignCenter)
        ->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Label347 = MakeLabel(Panel75, "Label347", "", QRect(4, 340, 108, 18), Qt::AlignCenter);
    MakeLabel(Panel75, "StaticText38", "Wybrane rozw.", QRect(118, 320, 108, 18), Qt::AlignCenter)
        ->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Label348 = MakeLabel(Panel75, "Label348", "", QRect(118, 340, 108, 18), Qt::AlignCenter);
    QFont counterFont = Label347->font();
    counterFont.setBold(true);
    Label347->setFont(counterFont);
    Label348->setFont(counterFont);

    Panel80 = MakeStagePanel(Panel75, "Panel80", QRect(4, 362, 222, 79));
    Panel81 = MakeStagePanel(Panel80, "Panel81", QRect(4, 4, 214, 46), QFrame::Sunken);
    for (int p = 0; p < 6; ++p) {
        const int column = p % 3;
        const int row = p / 3;
        drawnLabels_[static_cast<std::size_t>(p)] = MakeLabel(Panel81, QString("Label%1").arg(341 + p), "",
                                                              QRect(8 + column * 68, 3 + row * 20, 60, 18), Qt::AlignCenter);
    }
    MakeLabel(Panel80, "StaticText35", "Do zakończenia", QRect(8, 55, 100, 18));
    Label349 = MakeLabel(Panel80, "Label349", "", QRect(110, 55, 50, 18), Qt::AlignRight | Qt::AlignVCenter);
    MakeLabel(Panel80, "Label350", "sek", QRect(166, 55, 30, 18));
    Panel80->hide();
}

// The column headers stand over the five-character groups of the lines as the list draws them.
void SystemListBox::UpdateColumnHeaders() {
    const QFontMetrics metrics(ListBox1->font());
    const QString sample = FromBytes(kombinator::FormatSystemLine(kombinator::Combination{}));
    const int left = ListBox1->x() + ListBox1->frameWidth() + 3;
    for (int p = 0; p < 6; ++p) {
        const int x = left + metrics.horizontalAdvance(sample.left(5 * p));
        const int w = metrics.horizontalAdvance(sample.mid(5 * p, 3));
        QLabel* header = columnHeaders_[static_cast<std::size_t>(p)];
        header->setGeometry(x - 4, 26, w + 8, 16);
        header->setAlignment(Qt::AlignCenter);
    }
}

const std::vector<std::string>& SystemListBox::Lines() const { return model_->Lines(); }

void SystemListBox::SetLines(std::vector<std::string> lines) {
    QSignalBlocker blocker(ListBox1->selectionModel());
    model_->SetLines(std::move(lines));
}

void SystemListBox::Append(std::string line) { model_->Append(std::move(line)); }

void SystemListBox::SetCount(const QString& text) { Label347->setText(text); }

void SystemListBox::ClearSelectedRow() { Label348->clear(); }

void SystemListBox::SetSecondsLeft(const QString& text) { Label349->setText(text); }

void SystemListBox::ShowDrawn(const kombinator::Combination& drawn) {
    for (std::size_t p = 0; p < drawnLabels_.size(); ++p)
        drawnLabels_[p]->setText(QString::fromStdString(kombinator::DrawnScoreText(drawn.scores[p])));
}

void SystemListBox::Reset() {
    SetLines({});
    for (QLabel* label : drawnLabels_) label->clear();
    Label349->clear();
    Label347->clear();
    Label348->clear();
}

void SystemListBox::ListBox1Click() {
    const int row = ListBox1->currentIndex().row();
    Label348->setText(row >= 0 ? QString::number(row + 1) : QString());
}

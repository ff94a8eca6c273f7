#include "ui/funnel_dialog.h"

#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

#include "ui/number_text.h"

namespace {

enum Column { FamilyColumn, ReachedColumn, RejectedColumn, ShareColumn, BarColumn, ColumnCount };

constexpr int ReachedRole = Qt::UserRole + 1;
constexpr int RejectedRole = Qt::UserRole + 2;

// The bar of a step on the scale of the whole space: what goes on in green, what the step
// rejects in red, so the rows read from top to bottom as a funnel.
class FunnelBarDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QStyledItemDelegate::paint(painter, option, index);
        const double reached = index.data(ReachedRole).toDouble();
        const double rejected = index.data(RejectedRole).toDouble();
        const QRect area = option.rect.adjusted(3, 4, -3, -4);
        const double scale = area.width() / double(kombinator::CombinationCount);
        const int keptWidth = int((reached - rejected) * scale + 0.5);
        const int reachedWidth = std::max(int(reached * scale + 0.5), reached > 0 ? 1 : 0);
        painter->save();
        painter->setPen(Qt::NoPen);
        painter->setBrush(QColor(200, 30, 30));
        painter->drawRect(area.x(), area.y(), reachedWidth, area.height());
        painter->setBrush(QColor(30, 140, 60));
        painter->drawRect(area.x(), area.y(), keptWidth, area.height());
        painter->setPen(QColor(128, 128, 128));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(area.adjusted(0, 0, -1, -1));
        painter->restore();
    }
};

QTableWidgetItem* Cell(const QString& text, Qt::Alignment alignment = Qt::AlignRight | Qt::AlignVCenter) {
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(alignment);
    item->setFlags(Qt::ItemIsEnabled);
    return item;
}

}  // namespace

FunnelDialog::FunnelDialog(QWidget* parent) : QDialog(parent) {
    setObjectName("FunnelDialog");
    setWindowTitle("Lejek filtrów");
    auto* layout = new QVBoxLayout(this);

    summary_ = new QLabel(this);
    summary_->setObjectName("FunnelSummary");
    layout->addWidget(summary_);

    table_ = new QTableWidget(0, ColumnCount, this);
    table_->setObjectName("FunnelTable");
    table_->setHorizontalHeaderLabels({"Filtr", "Dochodzi", "Odrzuca", "Odrzuca %", "Lejek"});
    table_->verticalHeader()->hide();
    table_->setSelectionMode(QAbstractItemView::NoSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setItemDelegateForColumn(BarColumn, new FunnelBarDelegate(table_));
    table_->horizontalHeader()->setSectionResizeMode(BarColumn, QHeaderView::Stretch);
    layout->addWidget(table_);

    auto* close = new QPushButton("Zamknij", this);
    close->setObjectName("FunnelClose");
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(close, 0, Qt::AlignRight);
    resize(640, 420);
}

void FunnelDialog::ShowFunnel(const kombinator::FilterFunnelResult& funnel) {
    summary_->setText(QString("Wszystkich kombinacji: %1, przechodzi przez wszystkie filtry: %2")
                          .arg(GroupedNumber(kombinator::CombinationCount), GroupedNumber(funnel.passed)));
    table_->setRowCount(int(funnel.steps.size()));
    for (int row = 0; row < int(funnel.steps.size()); ++row) {
        const kombinator::FunnelStep& step = funnel.steps[std::size_t(row)];
        const QString share = step.reached > 0 ? QString::number(100.0 * step.rejected / step.reached, 'f', 1).replace('.', ',') + " %"
                                               : QString("-");
        table_->setItem(row, FamilyColumn,
                        Cell(QString::fromUtf8(kombinator::ChainStepFamily(step.step).data(),
                                               qsizetype(kombinator::ChainStepFamily(step.step).size())),
                             Qt::AlignLeft | Qt::AlignVCenter));
        table_->setItem(row, ReachedColumn, Cell(GroupedNumber(step.reached)));
        table_->setItem(row, RejectedColumn, Cell(GroupedNumber(step.rejected)));
        table_->setItem(row, ShareColumn, Cell(share));
        QTableWidgetItem* bar = Cell(QString());
        bar->setData(ReachedRole, double(step.reached));
        bar->setData(RejectedRole, double(step.rejected));
        table_->setItem(row, BarColumn, bar);
    }
    table_->resizeColumnsToContents();
    table_->horizontalHeader()->setSectionResizeMode(BarColumn, QHeaderView::Stretch);
}

#include "ui/final_stage_widgets.h"

#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include "ui/artwork.h"
#include "ui/filter_widgets.h"

RadioGroup::RadioGroup(const QString& name, const QString& title, const QStringList& items, int columns,
                       int itemHeight, QWidget* parent)
    : QGroupBox(title, parent), group_(new QButtonGroup(this)) {
    setObjectName(name);
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], this);
        button->setObjectName(name + "Item" + QString::number(i));
        button->setFixedHeight(itemHeight);
        group_->addButton(button, i);
    }
    columns_ = columns;
    itemHeight_ = itemHeight;
    if (!items.isEmpty()) group_->button(0)->setChecked(true);
}

void RadioGroup::resizeEvent(QResizeEvent* event) {
    QGroupBox::resizeEvent(event);
    const int top = title().isEmpty() ? 4 : 16;
    const int columnWidth = (width() - 12) / columns_;
    for (QAbstractButton* button : group_->buttons()) {
        const int i = group_->id(button);
        button->setGeometry(8 + (i % columns_) * columnWidth, top + (i / columns_) * itemHeight_, columnWidth,
                            itemHeight_);
    }
}

int RadioGroup::ItemIndex() const { return group_->checkedId(); }

void RadioGroup::SetItemIndex(int index) {
    if (QAbstractButton* button = group_->button(index)) button->setChecked(true);
}

QAbstractButton* RadioGroup::Item(int index) const { return group_->button(index); }

int RadioGroup::ItemCount() const { return static_cast<int>(group_->buttons().size()); }

void SystemListModel::SetLines(std::vector<std::string> lines) {
    beginResetModel();
    lines_ = std::move(lines);
    endResetModel();
}

void SystemListModel::Append(std::string line) {
    const int row = static_cast<int>(lines_.size());
    beginInsertRows(QModelIndex(), row, row);
    lines_.push_back(std::move(line));
    endInsertRows();
}

int SystemListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(lines_.size());
}

QVariant SystemListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= static_cast<int>(lines_.size()))
        return QVariant();
    const std::string& line = lines_[static_cast<std::size_t>(index.row())];
    // Single-byte text: every byte shows as one character.
    return QString::fromLatin1(line.data(), static_cast<qsizetype>(line.size()));
}

QFrame* MakeStagePanel(QWidget* parent, const QString& name, const QRect& geometry, QFrame::Shadow shadow) {
    QFrame* panel = MakeFrame(parent, name, geometry, shadow);
    panel->setAutoFillBackground(true);
    return panel;
}

QLabel* MakeTitle(QWidget* parent, const QString& name, const QString& text, const QRect& geometry) {
    QLabel* title = MakeLabel(parent, name, text, geometry, Qt::AlignCenter);
    title->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    QFont font = title->font();
    font.setBold(true);
    title->setFont(font);
    return title;
}

QPushButton* MakeButton(QWidget* parent, const QString& name, const QString& text, const QRect& geometry,
                        const QString& hint) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    button->setToolTip(hint);
    return button;
}

QToolButton* MakeGlyphButton(QWidget* parent, const QString& name, const QIcon& icon, const QString& hint,
                             const QRect& geometry) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setIcon(icon);
    button->setIconSize(QSize(20, 20));
    button->setAutoRaise(true);
    button->setToolTip(hint);
    button->setGeometry(geometry);
    return button;
}

namespace {

QPixmap Canvas(int w, int h) { return ArtworkPixmap(w, h, ArtworkScale(), Qt::transparent); }

}  // namespace

QIcon BackGlyph() {
    QPixmap pixmap = Canvas(20, 20);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 128, 0));
    QPainterPath arrow;
    arrow.moveTo(2, 10);
    arrow.lineTo(10, 3);
    arrow.lineTo(10, 7);
    arrow.lineTo(18, 7);
    arrow.lineTo(18, 13);
    arrow.lineTo(10, 13);
    arrow.lineTo(10, 17);
    arrow.closeSubpath();
    p.drawPath(arrow);
    return QIcon(pixmap);
}

QIcon SaveGlyph() {
    QPixmap pixmap = Canvas(20, 20);
    QPainter p(&pixmap);
    p.setPen(QColor(0, 0, 96));
    p.setBrush(QColor(40, 60, 160));
    p.drawRect(2, 2, 15, 15);
    p.setBrush(Qt::white);
    p.drawRect(5, 2, 9, 6);
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(5, 11, 9, 6);
    return QIcon(pixmap);
}

QIcon PrinterGlyph() {
    QPixmap pixmap = Canvas(20, 20);
    QPainter p(&pixmap);
    p.setPen(Qt::black);
    p.setBrush(Qt::white);
    p.drawRect(5, 1, 9, 7);
    p.setBrush(QColor(160, 160, 160));
    p.drawRect(1, 7, 17, 8);
    p.setBrush(Qt::white);
    p.drawRect(5, 12, 9, 6);
    p.drawLine(7, 14, 12, 14);
    return QIcon(pixmap);
}

QPixmap CouponPicture(int width, int height) {
    QPixmap pixmap = ArtworkPixmap(width, height, ArtworkScale(), QColor(255, 250, 225));
    QPainter p(&pixmap);
    p.setPen(QColor(200, 60, 60));
    p.drawRect(0, 0, width - 1, height - 1);
    // A blank's grid: ten columns of boxes, six positions of four goal rows.
    const int columns = 10;
    const int rows = 24;
    const int left = 12;
    const int top = 10;
    const double cw = (width - 2.0 * left) / columns;
    const double rh = (height - 2.0 * top) / (rows + 2);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            const QRectF box(left + c * cw + 1, top + r * rh + (r / 4) * 0.25 * rh, cw - 3, rh - 1);
            p.drawRect(box);
        }
    p.setBrush(QColor(30, 30, 30));
    p.setPen(Qt::NoPen);
    // Marks of one line, as a printed coupon shows them.
    const int marks[6][2] = {{1, 0}, {2, 2}, {0, 3}, {1, 1}, {3, 0}, {0, 0}};
    for (int pos = 0; pos < 6; ++pos)
        for (int side = 0; side < 2; ++side) {
            const int r = 4 * pos + marks[pos][side];
            p.drawRect(QRectF(left + side * cw + 2, top + r * rh + (r / 4) * 0.25 * rh + 1, cw - 5, rh - 3));
        }
    return pixmap;
}

#include "ui/filter_widgets.h"

#include <algorithm>

#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QRadioButton>
#include <QToolButton>

RadioGroupN::RadioGroupN(const QString& caption, const QString& item0, const QString& item1, QWidget* parent)
    : QGroupBox(caption, parent) {
    auto* layout = new QHBoxLayout(this);
    // Thin top and bottom margins leave a larger font's item the height of its indicator.
    layout->setContentsMargins(8, 1, 4, 1);
    layout->setSpacing(4);
    const QString texts[2] = {item0, item1};
    for (int i = 0; i < 2; ++i) {
        items_[i] = new QRadioButton(texts[i], this);
        // The halves are shared out, but never below what an item's caption needs.
        items_[i]->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Preferred);
        layout->addWidget(items_[i], 1);
        connect(items_[i], &QRadioButton::clicked, this, [this, i] {
            if (i == itemIndex_) return;
            itemIndex_ = i;
            emit Click();
        });
    }
    items_[0]->setChecked(true);
}

int RadioGroupN::ItemIndex() const { return itemIndex_; }

void RadioGroupN::SetItemIndex(int index) {
    itemIndex_ = index == 1 ? 1 : 0;
    items_[itemIndex_]->setChecked(true);
}

QRadioButton* RadioGroupN::Item(int index) const { return items_[index == 1 ? 1 : 0]; }

ShapeWidget::ShapeWidget(QWidget* parent) : QWidget(parent) {}

void ShapeWidget::SetBrushColor(const QColor& color) {
    if (brush_ == color) return;
    brush_ = color;
    update();
}

void ShapeWidget::paintEvent(QPaintEvent*) {
    // Filled rather than outlined, so the border is one layout pixel on every side at any density.
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    painter.fillRect(rect().adjusted(1, 1, -1, -1), brush_);
}

ClickLabel::ClickLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setAlignment(Qt::AlignCenter);
    setCursor(Qt::PointingHandCursor);
}

void ClickLabel::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    if (click) emit Click();
}

UpDownSpinner::UpDownSpinner(QWidget* parent, int min, int max)
    : QWidget(parent), min_(min), max_(max), position_(min) {
    down_ = new QToolButton(this);
    down_->setArrowType(Qt::LeftArrow);
    down_->setAutoRepeat(true);
    up_ = new QToolButton(this);
    up_->setArrowType(Qt::RightArrow);
    up_->setAutoRepeat(true);
    connect(down_, &QToolButton::clicked, this, &UpDownSpinner::ClickDown);
    connect(up_, &QToolButton::clicked, this, &UpDownSpinner::ClickUp);
}

void UpDownSpinner::SetPosition(int position) { position_ = std::clamp(position, min_, max_); }

void UpDownSpinner::ClickUp() {
    if (position_ < max_) ++position_;
    emit Click();
}

void UpDownSpinner::ClickDown() {
    if (position_ > min_) --position_;
    emit Click();
}

void UpDownSpinner::resizeEvent(QResizeEvent*) {
    const int half = width() / 2;
    down_->setGeometry(0, 0, half, height());
    up_->setGeometry(half, 0, width() - half, height());
}

QLabel* MakePanel(QWidget* parent, const QString& name, const QRect& geometry, const QString& caption) {
    auto* panel = new QLabel(caption, parent);
    panel->setObjectName(name);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(1);
    panel->setAlignment(Qt::AlignCenter);
    panel->setGeometry(geometry);
    return panel;
}

QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& text, const QRect& geometry,
                  Qt::Alignment alignment) {
    auto* label = new QLabel(text, parent);
    if (!name.isEmpty()) label->setObjectName(name);
    label->setAlignment(alignment);
    if (geometry.width() == 0) {
        // Sized to its text, so no caption is ever clipped.
        label->adjustSize();
        label->move(geometry.topLeft());
    } else {
        label->setGeometry(geometry);
    }
    return label;
}

QLabel* MakeStaticText(QWidget* parent, const QString& name, const QString& text, QPoint at) {
    auto* label = new QLabel(text, parent);
    if (!name.isEmpty()) label->setObjectName(name);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    label->adjustSize();
    label->move(at);
    return label;
}

QFrame* MakeFrame(QWidget* parent, const QString& name, const QRect& geometry, QFrame::Shadow shadow) {
    auto* frame = new QFrame(parent);
    if (!name.isEmpty()) frame->setObjectName(name);
    frame->setFrameStyle(QFrame::Panel | shadow);
    frame->setGeometry(geometry);
    return frame;
}

#pragma once
// The small controls of the filter tabs: a two-item radio group, a coloured shape, a clickable
// label, a horizontal up-down spinner, and helpers for panels and static labels.

#include <QColor>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QWidget>

class QRadioButton;
class QToolButton;

// A family switch: two items side by side; only a user click emits Click, and only when the
// chosen item changes.
class RadioGroupN : public QGroupBox {
    Q_OBJECT
    Q_PROPERTY(int ItemIndex READ ItemIndex)
public:
    RadioGroupN(const QString& caption, const QString& item0, const QString& item1, QWidget* parent);
    int ItemIndex() const;
    // Sets the item without a Click, as the program's own code does.
    void SetItemIndex(int index);
    QRadioButton* Item(int index) const;

signals:
    void Click();

private:
    QRadioButton* items_[2];
    int itemIndex_ = 0;
};

// A rectangle filled with its brush colour and outlined in black.
class ShapeWidget : public QWidget {
    Q_OBJECT
public:
    explicit ShapeWidget(QWidget* parent);
    QColor BrushColor() const { return brush_; }
    void SetBrushColor(const QColor& color);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QColor brush_ = Qt::white;
};

// A label that reports a left click (press and release on the label).
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    ClickLabel(const QString& text, QWidget* parent);

signals:
    void Click();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool pressed_ = false;
};

// A horizontal up-down: the left arrow lowers, the right arrow raises the position within
// Min..Max without wrapping; every arrow click emits Click after the move (also at a limit).
class UpDownSpinner : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int Position READ Position)
public:
    explicit UpDownSpinner(QWidget* parent, int min = 0, int max = 36);
    int Position() const { return position_; }
    // Sets the position without a Click (clamped to Min..Max).
    void SetPosition(int position);
    int Min() const { return min_; }
    int Max() const { return max_; }
    // What a click of the right (up) or left (down) arrow does.
    void ClickUp();
    void ClickDown();
    QToolButton* UpButton() const { return up_; }
    QToolButton* DownButton() const { return down_; }

signals:
    void Click();

protected:
    void resizeEvent(QResizeEvent*) override;

private:
    int min_, max_, position_;
    QToolButton* down_;
    QToolButton* up_;
};

// A plain panel (raised frame) with an optional centred caption.
QLabel* MakePanel(QWidget* parent, const QString& name, const QRect& geometry, const QString& caption = {});
// A static text without a frame; `name` may be empty; a zero width sizes it to its text.
QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& text, const QRect& geometry,
                  Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);

// A framed title ("StaticTextN") sized to its bold text.
QLabel* MakeStaticText(QWidget* parent, const QString& name, const QString& text, QPoint at);
// A container panel without caption, raised unless told otherwise; `name` may be empty.
QFrame* MakeFrame(QWidget* parent, const QString& name, const QRect& geometry, QFrame::Shadow shadow = QFrame::Raised);

// Shape colours of the type grid.
inline const QColor ShapeWhite{255, 255, 255};
inline const QColor ShapeGreen{0, 255, 0};
inline const QColor ShapeYellow{255, 255, 0};

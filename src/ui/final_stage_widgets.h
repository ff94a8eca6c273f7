#pragma once
// Small controls of the final stage: a radio group with an item index, masked edits read as
// the user sees them, the builders its boxes share, glyph pictures.

#include <QAbstractListModel>
#include <QButtonGroup>
#include <QFrame>
#include <QGroupBox>
#include <QIcon>
#include <QLineEdit>
#include <QStringList>
#include <string>
#include <vector>

class QLabel;
class QPushButton;
class QToolButton;

#include "ui/masked_edit.h"

// A titled group of radio buttons with one selected item, addressed by index.
class RadioGroup : public QGroupBox {
    Q_OBJECT
    Q_PROPERTY(int ItemIndex READ ItemIndex WRITE SetItemIndex)
public:
    // `columns` columns, filled row by row; each item `itemHeight` pixels high.
    RadioGroup(const QString& name, const QString& title, const QStringList& items, int columns, int itemHeight,
               QWidget* parent);
    int ItemIndex() const;
    void SetItemIndex(int index);
    QAbstractButton* Item(int index) const;
    int ItemCount() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QButtonGroup* group_;
    int columns_ = 1;
    int itemHeight_ = 17;
};

// The SystemList behind ListBox1: the lines kept byte for byte, shown one per row. A view of
// the vector, so a system of any length costs no widget item per line.
class SystemListModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit SystemListModel(QObject* parent) : QAbstractListModel(parent) {}
    const std::vector<std::string>& Lines() const { return lines_; }
    void SetLines(std::vector<std::string> lines);
    void Append(std::string line);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    std::vector<std::string> lines_;
};

// Pictures for the glyph buttons and the print box, drawn so no image files are needed.
QIcon BackGlyph();
QIcon SaveGlyph();
QIcon PrinterGlyph();
QPixmap CouponPicture(int width, int height);

// An opaque panel (MakeFrame): the print panels cover the print box's picture.
QFrame* MakeStagePanel(QWidget* parent, const QString& name, const QRect& geometry,
                       QFrame::Shadow shadow = QFrame::Raised);
// A box title: a sunken bold static text across the top of the box.
QLabel* MakeTitle(QWidget* parent, const QString& name, const QString& text, const QRect& geometry);
QPushButton* MakeButton(QWidget* parent, const QString& name, const QString& text, const QRect& geometry,
                        const QString& hint = QString());
// A flat tool button showing a glyph, its hint as tool tip.
QToolButton* MakeGlyphButton(QWidget* parent, const QString& name, const QIcon& icon, const QString& hint,
                             const QRect& geometry);

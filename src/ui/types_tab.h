#pragma once
// "   Typy ogólne   ": the type grid with the Tp-Td relations, the RI and the RJ templates.

#include <QWidget>
#include <array>

#include "model/filter_settings.h"

class ClickLabel;
class FilterBinding;
class QCheckBox;
class RevealTimer;
class ShapeWidget;

class TypesTab : public QWidget {
    Q_OBJECT
public:
    TypesTab(kombinator::FilterSettings& settings, FilterBinding& binding, QWidget* parent);

    // Sets every type mark and its shapes as the labels would, then the relation boxes.
    void ApplyTypeMarks(const kombinator::FilterSettings& s);

public slots:
    void Timer2Timer();

private:
    // Column c of Position p: a click on its Tp (basic) or Td (additional) label.
    void TypeLabelClick(int p, int c, bool basic);
    void PaintCell(int p, int c);
    // Enables CheckBox1 .. CheckBox(D + 1), D = Positions with an additional type; ticks stay.
    void RecomputeRelations();
    void RiSwitch(int item, bool instant);

    void BuildTypeGrid();
    void BuildRi();
    void BuildRj();

    kombinator::FilterSettings& settings_;
    FilterBinding& binding_;
    // [p][c]: shapes and labels, index 0 basic (Tp), 1 additional (Td).
    std::array<std::array<std::array<ShapeWidget*, 2>, 3>, 7> shapes_{};
    std::array<QCheckBox*, 8> relationBoxes_{};
    std::array<QCheckBox*, 28> riBoxes_{};
    QWidget* panel19_ = nullptr;
    RevealTimer* timer2_ = nullptr;  // counts RiRevealStep
};

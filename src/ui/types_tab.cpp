#include "ui/types_tab.h"

#include <QCheckBox>

#include "ui/filter_binding.h"
#include "ui/filter_widgets.h"
#include "ui/reveal_timer.h"

using kombinator::FamilyId;
using kombinator::FilterSettings;
using kombinator::FlagList;

namespace {

constexpr int RowTop = 28;
constexpr int RowStep = 30;
constexpr int CellSize = 25;
constexpr int CellStep = 28;
constexpr int TpLeft = 67;
constexpr int TdLeft = 161;
const char* const SignCaptions[3] = {"1", "0", "2"};
constexpr int RowHeaderPanels[7] = {0, 11, 12, 13, 14, 15, 18};

// RJ columns: runs of three and of two that each template asks for.
constexpr int RjRuns[4][2] = {{1, 0}, {0, 2}, {0, 1}, {0, 0}};

}  // namespace

TypesTab::TypesTab(FilterSettings& settings, FilterBinding& binding, QWidget* parent)
    : QWidget(parent), settings_(settings), binding_(binding) {
    BuildTypeGrid();
    BuildRj();
    BuildRi();
}

void TypesTab::BuildTypeGrid() {
    auto* grid = MakeFrame(this, "Panel23", QRect(4, 4, 336, 212));
    // The headers reach over the row captions' column, so each has the room of its text.
    MakePanel(grid, "Panel16", QRect(58, 4, 98, 20), "Typy podstawowe");
    MakePanel(grid, "Panel7", QRect(157, 4, 92, 20), "Typy dodatkowe");
    MakePanel(grid, "Panel17", QRect(250, 4, 84, 20), "Relacje Tp - Td");
    for (int p = 1; p <= 6; ++p) {
        const int top = RowTop + RowStep * (p - 1);
        MakePanel(grid, QStringLiteral("Panel%1").arg(RowHeaderPanels[p]), QRect(4, top, 56, CellSize),
                  QStringLiteral("Pozycja %1").arg(p));
        for (int c = 0; c < 3; ++c) {
            for (int kind = 0; kind < 2; ++kind) {
                const int left = (kind == 0 ? TpLeft : TdLeft) + CellStep * c;
                const int shapeNumber = (kind == 0 ? 2 : 20) + 3 * (p - 1) + c;
                const int labelNumber = (kind == 0 ? 252 : 255) + 6 * (p - 1) + c;
                auto* shape = new ShapeWidget(grid);
                shape->setObjectName(QStringLiteral("Shape%1").arg(shapeNumber));
                shape->setGeometry(left, top, CellSize, CellSize);
                shapes_[p][c][kind] = shape;
                auto* label = new ClickLabel(SignCaptions[c], grid);
                label->setObjectName(QStringLiteral("Label%1").arg(labelNumber));
                label->setGeometry(left, top, CellSize, CellSize);
                connect(label, &ClickLabel::Click, this, [this, p, c, kind] { TypeLabelClick(p, c, kind == 0); });
            }
        }
    }
    const FlagList& relations = kombinator::Family(FamilyId::TypeGrid).lists[0];
    for (int i = 0; i < relations.count; ++i) {
        // The relation boxes own no byte: the run reads their ticks when it starts.
        auto* box = binding_.AddBox(grid, relations, i, QRect(263, RowTop + 25 * i, 56, 20));
        box->setEnabled(false);
        relationBoxes_[static_cast<std::size_t>(i + 1)] = box;
    }
}

void TypesTab::BuildRj() {
    auto* frame = MakeFrame(this, {}, QRect(4, 220, 336, 146));
    MakeStaticText(frame, {}, " Szablony RJ ", QPoint(8, 6));
    MakeLabel(frame, {}, "Rozład jakościowy zer i dwójek ", QRect(104, 6, 0, 0));
    struct RjLayout {
        FamilyId family;
        int panel;
        const char* twoRow;
    };
    static const RjLayout layouts[2] = {{FamilyId::RjDraws, 21, "Dwa obok siebie"},
                                        {FamilyId::RjTwos, 22, "Dwie obok siebie"}};
    for (int f = 0; f < 2; ++f) {
        const kombinator::FilterFamily& family = kombinator::Family(layouts[f].family);
        const FlagList& list = family.lists[0];
        const int top = 30 + 56 * f;
        auto* panel = MakeFrame(frame, QStringLiteral("Panel%1").arg(layouts[f].panel), QRect(166, top - 2, 166, 52));
        panel->hide();
        MakeLabel(panel, {}, "Trzy obok siebie", QRect(4, 19, 92, 14));
        MakeLabel(panel, {}, layouts[f].twoRow, QRect(4, 34, 92, 14));
        for (int i = 0; i < list.count; ++i) {
            // Side by side without sharing a pixel, the last clear of the panel's edge.
            const int left = 97 + 17 * i;
            binding_.AddBox(panel, list, i, QRect(left, 2, 16, 16));
            for (int row = 0; row < 2; ++row)
                MakeLabel(panel, {}, QString::number(RjRuns[i][row]), QRect(left, 19 + 15 * row, 14, 14),
                          Qt::AlignCenter);
        }
        binding_.AddSwitch(frame, *family.onOff, QRect(6, top, 158, 42),
                           [panel](int item, bool) { panel->setVisible(item == 1); });
    }
}

void TypesTab::BuildRi() {
    auto* frame = MakeFrame(this, {}, QRect(344, 4, 321, 362));
    MakeStaticText(frame, {}, " Szablony RI ", QPoint(8, 6));
    MakeLabel(frame, {}, "Rozład ", QRect(104, 6, 0, 0));
    MakeLabel(frame, {}, "ilościowy jedynek zer i dwójek ", QRect(104, 20, 0, 0));
    panel19_ = MakeFrame(frame, "Panel19", QRect(8, 88, 305, 266));
    panel19_->hide();
    MakeLabel(panel19_, {}, "x - liczba jedynek", QRect(10, 6, 0, 0));
    MakeLabel(panel19_, {}, "y - liczba remisów", QRect(10, 21, 0, 0));
    MakeLabel(panel19_, {}, "z - liczba dwójek", QRect(10, 36, 0, 0));
    MakeLabel(panel19_, {}, "( x y z )", QRect(10, 60, 0, 0));
    const kombinator::FilterFamily& ri = kombinator::Family(FamilyId::Ri);
    const FlagList& templates = ri.lists[0];
    for (int i = 0; i < templates.count; ++i) {
        auto* box = binding_.AddBox(panel19_, templates, i, QRect(10 + 72 * (i / 7), 80 + 25 * (i % 7), 66, 20));
        box->hide();
        riBoxes_[static_cast<std::size_t>(i)] = box;
    }
    timer2_ = new RevealTimer(this, 2, RiBoxesReveal, [this](std::int32_t step) {
        riBoxes_[static_cast<std::size_t>(step - 1)]->show();
    });
    connect(timer2_, &QTimer::timeout, this, &TypesTab::Timer2Timer);
    binding_.AddSwitch(frame, *ri.onOff, QRect(8, 40, 180, 40),
                       [this](int item, bool instant) { RiSwitch(item, instant); });
}

void TypesTab::RiSwitch(int item, bool instant) {
    if (item != 1) {
        // A reveal still running goes on behind the hidden panel: it happens once per run.
        panel19_->hide();
        return;
    }
    panel19_->show();
    if (instant) {
        timer2_->stop();
        for (QCheckBox* box : riBoxes_) box->show();
    } else if (riBoxes_[0]->isHidden()) {
        timer2_->Restart();
    }
}

void TypesTab::Timer2Timer() { timer2_->Tick(); }

void TypesTab::TypeLabelClick(int p, int c, bool basic) {
    binding_.Changed();
    ShapeWidget* own = shapes_[p][c][basic ? 0 : 1];
    std::uint8_t& mark = settings_.TypeMarks[p][c];
    if (own->BrushColor() != ShapeWhite)
        mark = kombinator::NotAllowed;
    else
        mark = basic ? kombinator::BasicType : kombinator::AdditionalType;
    PaintCell(p, c);
    RecomputeRelations();
}

void TypesTab::PaintCell(int p, int c) {
    const std::uint8_t mark = settings_.TypeMarks[p][c];
    shapes_[p][c][0]->SetBrushColor(mark == kombinator::BasicType ? ShapeGreen : ShapeWhite);
    shapes_[p][c][1]->SetBrushColor(mark == kombinator::AdditionalType ? ShapeYellow : ShapeWhite);
}

void TypesTab::RecomputeRelations() {
    for (int k = 1; k <= 7; ++k) relationBoxes_[k]->setEnabled(kombinator::RelationBoxEnabled(settings_, k));
}

void TypesTab::ApplyTypeMarks(const FilterSettings& s) {
    for (int p = 1; p <= 6; ++p) {
        for (int c = 0; c < 3; ++c) {
            const std::uint8_t mark = s.TypeMarks[p][c];
            settings_.TypeMarks[p][c] =
                mark == kombinator::BasicType || mark == kombinator::AdditionalType ? mark : std::uint8_t{kombinator::NotAllowed};
            PaintCell(p, c);
        }
    }
    RecomputeRelations();
}

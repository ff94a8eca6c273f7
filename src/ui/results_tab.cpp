#include "ui/results_tab.h"

#include <QCheckBox>

#include "ui/filter_binding.h"
#include "ui/filter_widgets.h"

using kombinator::FamilyId;
using kombinator::FlagList;

namespace {

constexpr int ScorePanels[7] = {0, 25, 27, 28, 31, 32, 33};

}  // namespace

ResultsTab::ResultsTab(FilterBinding& binding, QWidget* parent) : QWidget(parent), binding_(binding) {
    BuildResults();
    BuildGoalRanges();
    BuildPn();
}

void ResultsTab::BuildResults() {
    auto* frame = MakeFrame(this, "Panel24", QRect(4, 4, 659, 240));
    MakeStaticText(frame, {}, " Wyniki bramkowe ", QPoint(8, 4));
    for (int p = 1; p <= 6; ++p) {
        const kombinator::FilterFamily& family = kombinator::Family(kombinator::ScoresFamily(p));
        const FlagList& scores = family.lists[0];
        const int left = 6 + 218 * ((p - 1) % 3);
        const int top = 24 + 108 * ((p - 1) / 3);
        auto* panel = MakeFrame(frame, QStringLiteral("Panel%1").arg(ScorePanels[p]), QRect(left, top + 42, 214, 64));
        panel->hide();
        // Columns by home goals, rows by away goals.
        for (int i = 0; i < scores.count; ++i)
            binding_.AddBox(panel, scores, i, QRect(6 + 52 * (i / 4), 2 + 15 * (i % 4), 50, 15));
        binding_.AddSwitch(frame, *family.onOff, QRect(left, top, 214, 40),
                           [panel](int item, bool) { panel->setVisible(item == 1); });
    }
}

void ResultsTab::BuildGoalRanges() {
    auto* frame = MakeFrame(this, "Panel37", QRect(4, 248, 222, 150));
    MakeStaticText(frame, {}, "  Zakres bramek  ", QPoint(8, 4));
    static const char* const labels[3] = {"Ogólna liczba bramek", "Bramki gospodarze", "Bramki goście"};
    const auto& ranges = kombinator::Family(FamilyId::GoalRanges).bounds;
    for (int i = 0; i < 3; ++i) {
        const int top = 28 + 40 * i;
        // The longest caption ends before "Od" even one point larger.
        MakeLabel(frame, {}, labels[i], QRect(6, top + 10, 0, 0));
        MakeLabel(frame, {}, "Od", QRect(125, top + 2, 0, 0));
        MakeLabel(frame, {}, "Do", QRect(174, top + 2, 0, 0));
        binding_.AddSpinnerPair(frame, ranges[static_cast<std::size_t>(i)], 0, QPoint(143, top), QPoint(192, top));
    }
}

void ResultsTab::BuildPn() {
    auto* frame = MakeFrame(this, "Panel70", QRect(230, 248, 433, 150));
    MakeStaticText(frame, {}, " Szablony P - N", QPoint(8, 4));
    auto* legend = MakePanel(frame, "Panel72", QRect(190, 30, 234, 22), "Parzyste: 0, 2   Nieparzyste: 1, 3");
    legend->hide();
    auto* rows = MakeFrame(frame, "Panel71", QRect(8, 66, 421, 78));
    rows->hide();
    // A caption stands nearer its own box than the next one.
    rows->setStyleSheet("QCheckBox { spacing: 3px; }");
    static const char* const labels[3] = {"Ogólnie", "Blok gospodarzy", "Blok gości"};
    const kombinator::FilterFamily& pn = kombinator::Family(FamilyId::Pn);
    for (int r = 0; r < 3; ++r) {
        const FlagList& list = pn.lists[static_cast<std::size_t>(r)];
        const int top = 4 + 24 * r;
        MakeLabel(rows, {}, labels[r], QRect(6, top + 2, 0, 0));
        for (int j = 0; j < list.count; ++j) binding_.AddBox(rows, list, j, QRect(97 + 46 * j, top, 46, 20));
    }
    binding_.AddSwitch(frame, *pn.onOff, QRect(8, 22, 176, 40), [legend, rows](int item, bool) {
        legend->setVisible(item == 1);
        rows->setVisible(item == 1);
    });
}

#include "ui/results_tab.h"

#include <QCheckBox>

#include "ui/filter_binding.h"
#include "ui/filter_widgets.h"

using kombinator::FilterSettings;
using ByteRef = FilterBinding::ByteRef;

namespace {

constexpr int ScorePanels[7] = {0, 25, 27, 28, 31, 32, 33};

QString ScoreCaption(int scoreIndex) { return QStringLiteral("%1 - %2").arg(scoreIndex / 4).arg(scoreIndex % 4); }

}  // namespace

ResultsTab::ResultsTab(FilterSettings&, FilterBinding& binding, QWidget* parent) : QWidget(parent), binding_(binding) {
    BuildResults();
    BuildGoalRanges();
    BuildPn();
}

void ResultsTab::BuildResults() {
    auto* frame = MakeFrame(this, "Panel24", QRect(4, 4, 659, 240));
    MakeStaticText(frame, {}, " Wyniki bramkowe ", QPoint(8, 4));
    for (int p = 1; p <= 6; ++p) {
        const int left = 6 + 218 * ((p - 1) % 3);
        const int top = 24 + 108 * ((p - 1) / 3);
        auto* panel = MakeFrame(frame, QStringLiteral("Panel%1").arg(ScorePanels[p]), QRect(left, top + 42, 214, 64));
        panel->hide();
        for (int k = 0; k < 16; ++k) {
            // Columns by home goals, rows by away goals.
            binding_.AddCheckBox(panel, 44 + 16 * (p - 1) + k, ScoreCaption(k),
                                 QRect(6 + 52 * (k / 4), 2 + 15 * (k % 4), 50, 15),
                                 [p, k](FilterSettings& s) -> std::uint8_t& { return s.ScoreAllowed[p][k]; });
        }
        const QString caption = QString(20, ' ') + QStringLiteral("Pozycja %1").arg(p) + QString(23, ' ');
        binding_.AddSwitch(frame, 3 + p, caption, "Wszystkie", "Wybrane ", QRect(left, top, 214, 40),
                           [p](FilterSettings& s) -> std::uint8_t& { return s.ScoreFilterActive[p]; },
                           [panel](int item, bool) { panel->setVisible(item == 1); });
    }
}

void ResultsTab::BuildGoalRanges() {
    auto* frame = MakeFrame(this, "Panel37", QRect(4, 248, 222, 150));
    MakeStaticText(frame, {}, "  Zakres bramek  ", QPoint(8, 4));
    struct Row {
        const char* label;
        FilterBinding::SpinnerField from, to;
    };
    const Row rows[3] = {
        {"Ogólna liczba bramek",
         {3, 83, 14, [](FilterSettings& s) -> std::uint8_t& { return s.TotalGoalsFrom; }},
         {4, 84, 18, [](FilterSettings& s) -> std::uint8_t& { return s.TotalGoalsTo; }}},
        {"Bramki gospodarze",
         {5, 85, 7, [](FilterSettings& s) -> std::uint8_t& { return s.HomeGoalsFrom; }},
         {6, 86, 9, [](FilterSettings& s) -> std::uint8_t& { return s.HomeGoalsTo; }}},
        {"Bramki goście",
         {7, 87, 7, [](FilterSettings& s) -> std::uint8_t& { return s.AwayGoalsFrom; }},
         {8, 88, 9, [](FilterSettings& s) -> std::uint8_t& { return s.AwayGoalsTo; }}},
    };
    for (int i = 0; i < 3; ++i) {
        const int top = 28 + 40 * i;
        MakeLabel(frame, {}, rows[i].label, QRect(8, top + 10, 0, 0));
        MakeLabel(frame, {}, "Od", QRect(118, top + 2, 0, 0));
        MakeLabel(frame, {}, "Do", QRect(168, top + 2, 0, 0));
        binding_.AddSpinnerPair(frame, rows[i].from, QPoint(134, top), rows[i].to, QPoint(186, top));
    }
}

void ResultsTab::BuildPn() {
    auto* frame = MakeFrame(this, "Panel70", QRect(230, 248, 433, 150));
    MakeStaticText(frame, {}, " Szablony P - N", QPoint(8, 4));
    auto* legend = MakePanel(frame, "Panel72", QRect(190, 30, 234, 22), "Parzyste: 0, 2   Nieparzyste: 1, 3");
    legend->hide();
    auto* rows = MakeFrame(frame, "Panel71", QRect(8, 66, 417, 78));
    rows->hide();
    struct PnRow {
        const char* label;
        int firstBox, firstEven, count;
        std::uint8_t* (*table)(FilterSettings&);
    };
    static const PnRow pnRows[3] = {
        {"Ogólnie", 304, 9, 7, [](FilterSettings& s) { return s.PnOverall.data(); }},
        {"Blok gospodarzy", 311, 5, 5, [](FilterSettings& s) { return s.PnHomeBlock.data(); }},
        {"Blok gości", 316, 5, 5, [](FilterSettings& s) { return s.PnAwayBlock.data(); }},
    };
    for (int r = 0; r < 3; ++r) {
        const PnRow& row = pnRows[r];
        const int top = 4 + 24 * r;
        MakeLabel(rows, {}, row.label, QRect(6, top + 2, 0, 0));
        const int total = row.firstEven + (r == 0 ? 3 : 1);
        for (int j = 0; j < row.count; ++j) {
            const int even = row.firstEven - j;
            auto table = row.table;
            binding_.AddCheckBox(rows, row.firstBox + j, QStringLiteral("%1 - %2").arg(even).arg(total - even),
                                 QRect(94 + 46 * j, top, 46, 20),
                                 [table, even](FilterSettings& s) -> std::uint8_t& { return table(s)[even]; });
        }
    }
    binding_.AddSwitch(frame, 16, {}, "Dowolne", "Ustalone", QRect(8, 22, 176, 40),
                       [](FilterSettings& s) -> std::uint8_t& { return s.PnActive; },
                       [legend, rows](int item, bool) {
                           legend->setVisible(item == 1);
                           rows->setVisible(item == 1);
                       });
}

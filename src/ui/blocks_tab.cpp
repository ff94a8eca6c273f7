#include "ui/blocks_tab.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QTimer>

#include "ui/filter_binding.h"
#include "ui/filter_widgets.h"

using kombinator::FilterSettings;
using ByteRef = FilterBinding::ByteRef;

namespace {

constexpr int TemplateTop = 72;
constexpr int SlideStart = 112;

const char* const GoalRowCaptions[4] = {"0 bramek w :", "1 bramka w :", "2 bramki w :", "3 bramki w :"};

ByteRef Range(std::array<std::uint8_t, 6> FilterSettings::*range, int i) {
    return [range, i](FilterSettings& s) -> std::uint8_t& { return (s.*range)[i]; };
}

}  // namespace

BlocksTab::BlocksTab(FilterSettings&, FilterBinding& binding, QWidget* parent) : QWidget(parent), binding_(binding) {
    BuildCountBlock(0);
    BuildCountBlock(1);
    BuildSignBlock(0);
    BuildSignBlock(1);
}

void BlocksTab::BuildCountBlock(int index) {
    struct Design {
        int frame, title, group, firstRow, firstBox, timer;
        const char* caption;
        std::array<std::uint8_t, 24> FilterSettings::*counts;
        std::uint8_t FilterSettings::*active;
    };
    static const Design designs[2] = {
        {53, 27, 12, 54, 236, 4, " Blok gospodarzy ", &FilterSettings::HomeBlockCounts, &FilterSettings::HomeBlockActive},
        {58, 28, 13, 59, 260, 5, " Blok przyjezdnych ", &FilterSettings::AwayBlockCounts, &FilterSettings::AwayBlockActive},
    };
    const Design& d = designs[index];
    CountBlock& block = index == 0 ? home_ : away_;
    auto* frame = MakeFrame(this, QStringLiteral("Panel%1").arg(d.frame), QRect(4, 4 + 198 * index, 326, 196));
    MakeStaticText(frame, QStringLiteral("StaticText%1").arg(d.title), d.caption, QPoint(8, 4));
    MakeLabel(frame, {}, "Rozład ", QRect(8, 28, 0, 0));
    MakeLabel(frame, {}, "ilościowy bramek", QRect(8, 42, 0, 0));
    for (int g = 0; g < 4; ++g) {
        auto* row = MakeFrame(frame, QStringLiteral("Panel%1").arg(d.firstRow + g), QRect(6, 70 + 30 * g, 316, 27));
        row->hide();
        block.rows[g] = row;
        MakeLabel(row, {}, GoalRowCaptions[g], QRect(6, 6, 0, 0));
        for (int n = 0; n < 6; ++n) {
            auto counts = d.counts;
            binding_.AddCheckBox(row, d.firstBox + 6 * g + n, QString::number(n), QRect(70 + 31 * n, 4, 32, 19),
                                 [counts, g, n](FilterSettings& s) -> std::uint8_t& { return (s.*counts)[6 * g + n]; });
        }
        MakeLabel(row, {}, "pozycjach", QRect(258, 6, 0, 0));
    }
    block.timer = FilterBinding::MakeTimer(this, d.timer);
    connect(block.timer, &QTimer::timeout, this, index == 0 ? &BlocksTab::Timer4Timer : &BlocksTab::Timer5Timer);
    auto active = d.active;
    binding_.AddSwitch(frame, d.group, {}, "Dowolny", "Ustalony", QRect(120, 24, 196, 40),
                       [active](FilterSettings& s) -> std::uint8_t& { return s.*active; },
                       [this, &block](int item, bool instant) { CountSwitch(block, item, instant); });
}

void BlocksTab::CountSwitch(CountBlock& block, int item, bool instant) {
    if (item != 1 || instant) {
        // A reveal left running would bring back rows of a block switched off.
        block.timer->stop();
        for (QWidget* row : block.rows) row->setVisible(item == 1);
        return;
    }
    block.revealStep = 0;
    block.timer->start();
}

void BlocksTab::CountTick(CountBlock& block) {
    if (block.revealStep > 3) {
        block.timer->stop();
        return;
    }
    ++block.revealStep;
    block.rows[block.revealStep - 1]->show();
}

void BlocksTab::Timer4Timer() { CountTick(home_); }
void BlocksTab::Timer5Timer() { CountTick(away_); }

void BlocksTab::BuildSignBlock(int index) {
    struct Design {
        int frame, title, group, templates, bounds, firstBox, timer;
        const char* caption;
        std::array<std::uint8_t, 16> FilterSettings::*signs;
        std::array<std::uint8_t, 6> FilterSettings::*range;
        std::uint8_t FilterSettings::*active;
        int upDowns[6];
        int firstEdit;
    };
    static const Design designs[2] = {
        {63, 29, 14, 64, 66, 284, 6, " Blok G (poz 1-3) ", &FilterSettings::BlockGSigns, &FilterSettings::BlockGRange,
         &FilterSettings::BlockGActive, {1, 2, 9, 10, 11, 12}, 1},
        {67, 30, 15, 68, 69, 294, 7, " Blok D (poz 4-6) ", &FilterSettings::BlockDSigns, &FilterSettings::BlockDRange,
         &FilterSettings::BlockDActive, {13, 14, 15, 16, 17, 18}, 7},
    };
    static const int startPositions[6] = {7, 9, 3, 5, 3, 5};
    const Design& d = designs[index];
    SignBlock& block = index == 0 ? blockG_ : blockD_;
    auto* frame = MakeFrame(this, QStringLiteral("Panel%1").arg(d.frame), QRect(334, 4 + 198 * index, 329, 196));
    MakeStaticText(frame, QStringLiteral("StaticText%1").arg(d.title), d.caption, QPoint(8, 4));
    MakeLabel(frame, {}, "Rozład ", QRect(132, 4, 0, 0));
    MakeLabel(frame, {}, "ilościowy jedynek zer dwójek i bramek ", QRect(132, 18, 0, 0));

    // The bounds panel first, so that the sliding template panel passes over it.
    block.bounds = MakeFrame(frame, QStringLiteral("Panel%1").arg(d.bounds), QRect(4, 116, 321, 74));
    block.bounds->hide();
    static const char* const groupCaptions[3] = {"Ogólna liczba bramek", "Gospodarze", "Goście"};
    for (int b = 0; b < 3; ++b) {
        auto* group = new QGroupBox(groupCaptions[b], block.bounds);
        static const int lefts[3] = {2, 131, 227}, widths[3] = {126, 93, 92};
        const int left = lefts[b], width = widths[b];
        const int inset = (width - 92) / 2;
        group->setGeometry(left, 2, width, 68);
        MakeLabel(group, {}, "Od", QRect(inset + 4, 24, 0, 0));
        MakeLabel(group, {}, "Do", QRect(inset + 49, 24, 0, 0));
        const int from = 2 * b, to = 2 * b + 1;
        binding_.AddSpinnerPair(
            group, {d.upDowns[from], d.firstEdit + from, startPositions[from], Range(d.range, from)}, QPoint(inset + 18, 18),
            {d.upDowns[to], d.firstEdit + to, startPositions[to], Range(d.range, to)}, QPoint(inset + 63, 18));
    }

    block.templates = MakeFrame(frame, QStringLiteral("Panel%1").arg(d.templates), QRect(6, TemplateTop, 317, 42));
    block.templates->hide();
    int i = 0;
    for (int x = 3; x >= 0; --x) {
        for (int y = 3 - x; y >= 0; --y, ++i) {
            auto signs = d.signs;
            binding_.AddCheckBox(block.templates, d.firstBox + i, QStringLiteral("%1 %2 %3").arg(x).arg(y).arg(3 - x - y),
                                 QRect(8 + 62 * (i % 5), 2 + 19 * (i / 5), 60, 19),
                                 [signs, x, y](FilterSettings& s) -> std::uint8_t& { return (s.*signs)[4 * x + y]; });
        }
    }
    block.timer = FilterBinding::MakeTimer(this, d.timer);
    connect(block.timer, &QTimer::timeout, this, index == 0 ? &BlocksTab::Timer6Timer : &BlocksTab::Timer7Timer);
    auto active = d.active;
    binding_.AddSwitch(frame, d.group, {}, "Dowolny", "Ustalony", QRect(8, 30, 200, 40),
                       [active](FilterSettings& s) -> std::uint8_t& { return s.*active; },
                       [this, &block](int item, bool instant) { SignSwitch(block, item, instant); });
}

void BlocksTab::SignSwitch(SignBlock& block, int item, bool instant) {
    if (item != 1) {
        block.timer->stop();
        block.templates->hide();
        block.bounds->hide();
        return;
    }
    block.bounds->show();
    block.slideTop = instant ? TemplateTop : SlideStart;
    block.templates->move(block.templates->x(), block.slideTop);
    block.templates->show();
    if (instant)
        block.timer->stop();
    else
        block.timer->start();
}

void BlocksTab::SignTick(SignBlock& block) {
    if (block.slideTop < 77) {
        block.timer->stop();
        return;
    }
    block.slideTop -= 5;
    block.templates->move(block.templates->x(), block.slideTop);
}

void BlocksTab::Timer6Timer() { SignTick(blockG_); }
void BlocksTab::Timer7Timer() { SignTick(blockD_); }

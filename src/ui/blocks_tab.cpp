#include "ui/blocks_tab.h"

#include <QCheckBox>
#include <QGroupBox>

#include "ui/filter_binding.h"
#include "ui/filter_widgets.h"
#include "ui/reveal_timer.h"

using kombinator::FamilyId;
using kombinator::FlagList;

namespace {

constexpr int TemplateTop = 72;

const char* const GoalRowCaptions[4] = {"0 bramek w :", "1 bramka w :", "2 bramki w :", "3 bramki w :"};

}  // namespace

BlocksTab::BlocksTab(FilterBinding& binding, QWidget* parent) : QWidget(parent), binding_(binding) {
    BuildCountBlock(0);
    BuildCountBlock(1);
    BuildSignBlock(0);
    BuildSignBlock(1);
}

void BlocksTab::BuildCountBlock(int index) {
    struct Design {
        FamilyId family;
        int frame, title, firstRow, timer;
        const char* caption;
    };
    static const Design designs[2] = {
        {FamilyId::HomeBlock, 53, 27, 54, 4, " Blok gospodarzy "},
        {FamilyId::AwayBlock, 58, 28, 59, 5, " Blok przyjezdnych "},
    };
    const Design& d = designs[index];
    const kombinator::FilterFamily& family = kombinator::Family(d.family);
    CountBlock& block = index == 0 ? home_ : away_;
    auto* frame = MakeFrame(this, QStringLiteral("Panel%1").arg(d.frame), QRect(4, 4 + 198 * index, 326, 196));
    MakeStaticText(frame, QStringLiteral("StaticText%1").arg(d.title), d.caption, QPoint(8, 4));
    MakeLabel(frame, {}, "Rozład ", QRect(8, 28, 0, 0));
    MakeLabel(frame, {}, "ilościowy bramek", QRect(8, 42, 0, 0));
    for (int g = 0; g < 4; ++g) {
        const FlagList& counts = family.lists[static_cast<std::size_t>(g)];
        auto* row = MakeFrame(frame, QStringLiteral("Panel%1").arg(d.firstRow + g), QRect(6, 70 + 30 * g, 316, 27));
        row->hide();
        // A digit stands nearer its own box than the next one.
        row->setStyleSheet("QCheckBox { spacing: 3px; }");
        block.rows[static_cast<std::size_t>(g)] = row;
        MakeLabel(row, {}, GoalRowCaptions[g], QRect(6, 6, 0, 0));
        // Clear of the caption's colon, of each other and, with "pozycjach", of the row's edge.
        for (int n = 0; n < counts.count; ++n) binding_.AddBox(row, counts, n, QRect(78 + 29 * n, 4, 28, 19));
        MakeLabel(row, {}, "pozycjach", QRect(256, 6, 0, 0));
    }
    block.timer = new RevealTimer(this, d.timer, BlockRowsReveal, [&block](std::int32_t step) {
        block.rows[static_cast<std::size_t>(step - 1)]->show();
    });
    connect(block.timer, &QTimer::timeout, this, index == 0 ? &BlocksTab::Timer4Timer : &BlocksTab::Timer5Timer);
    binding_.AddSwitch(frame, *family.onOff, QRect(120, 24, 196, 40),
                       [&block](int item, bool instant) { CountSwitch(block, item, instant); });
}

void BlocksTab::CountSwitch(CountBlock& block, int item, bool instant) {
    if (item != 1 || instant) {
        // A reveal left running would bring back rows of a block switched off.
        block.timer->stop();
        for (QWidget* row : block.rows) row->setVisible(item == 1);
        return;
    }
    block.timer->Restart();
}

void BlocksTab::Timer4Timer() { home_.timer->Tick(); }
void BlocksTab::Timer5Timer() { away_.timer->Tick(); }

void BlocksTab::BuildSignBlock(int index) {
    struct Design {
        FamilyId family;
        int frame, title, templates, bounds, timer;
        const char* caption;
    };
    static const Design designs[2] = {
        {FamilyId::BlockG, 63, 29, 64, 66, 6, " Blok G (poz 1-3) "},
        {FamilyId::BlockD, 67, 30, 68, 69, 7, " Blok D (poz 4-6) "},
    };
    const Design& d = designs[index];
    const kombinator::FilterFamily& family = kombinator::Family(d.family);
    SignBlock& block = index == 0 ? blockG_ : blockD_;
    auto* frame = MakeFrame(this, QStringLiteral("Panel%1").arg(d.frame), QRect(334, 4 + 198 * index, 329, 196));
    MakeStaticText(frame, QStringLiteral("StaticText%1").arg(d.title), d.caption, QPoint(8, 4));
    // Up and to the left, so the heading ends above the radio group and inside the frame.
    MakeLabel(frame, {}, "Rozład ", QRect(120, 2, 0, 0));
    MakeLabel(frame, {}, "ilościowy jedynek zer dwójek i bramek ", QRect(120, 16, 0, 0));

    // The bounds panel first, so that the sliding template panel passes over it.
    block.bounds = MakeFrame(frame, QStringLiteral("Panel%1").arg(d.bounds), QRect(4, 116, 321, 74));
    block.bounds->hide();
    static const char* const groupCaptions[3] = {"Ogólna liczba bramek", "Gospodarze", "Goście"};
    // Narrow edits give "Od" and "Do" room on both sides inside the groups.
    static const int lefts[3] = {2, 128, 223}, widths[3] = {124, 93, 93};
    for (int b = 0; b < 3; ++b) {
        auto* group = new QGroupBox(groupCaptions[b], block.bounds);
        const int inset = (widths[b] - 93) / 2;
        group->setGeometry(lefts[b], 2, widths[b], 68);
        MakeLabel(group, {}, "Od", QRect(inset + 3, 24, 0, 0));
        MakeLabel(group, {}, "Do", QRect(inset + 48, 24, 0, 0));
        binding_.AddSpinnerPair(group, family.bounds[0], b, QPoint(inset + 21, 18), QPoint(inset + 66, 18), 24);
    }

    block.templates = MakeFrame(frame, QStringLiteral("Panel%1").arg(d.templates), QRect(6, TemplateTop, 317, 42));
    block.templates->hide();
    const FlagList& signs = family.lists[0];
    for (int i = 0; i < signs.count; ++i)
        binding_.AddBox(block.templates, signs, i, QRect(8 + 62 * (i % 5), 2 + 19 * (i / 5), 60, 19));
    block.timer = new RevealTimer(this, d.timer, TemplateSlideIn, [&block](std::int32_t top) {
        block.templates->move(block.templates->x(), top);
    });
    connect(block.timer, &QTimer::timeout, this, index == 0 ? &BlocksTab::Timer6Timer : &BlocksTab::Timer7Timer);
    binding_.AddSwitch(frame, *family.onOff, QRect(8, 30, 200, 40),
                       [&block](int item, bool instant) { SignSwitch(block, item, instant); });
}

void BlocksTab::SignSwitch(SignBlock& block, int item, bool instant) {
    if (item != 1) {
        block.timer->stop();
        block.templates->hide();
        block.bounds->hide();
        return;
    }
    block.bounds->show();
    block.templates->move(block.templates->x(), instant ? TemplateTop : TemplateSlideIn.start);
    block.templates->show();
    if (instant)
        block.timer->stop();
    else
        block.timer->Restart();
}

void BlocksTab::Timer6Timer() { blockG_.timer->Tick(); }
void BlocksTab::Timer7Timer() { blockD_.timer->Tick(); }

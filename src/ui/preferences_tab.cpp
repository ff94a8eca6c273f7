#include "ui/preferences_tab.h"

#include <QCheckBox>

#include "ui/filter_binding.h"
#include "ui/filter_widgets.h"
#include "ui/reveal_timer.h"

using kombinator::FamilyId;
using kombinator::FlagList;

namespace {

QString ScoreCaption(int home, int away) { return QStringLiteral("%1 - %2").arg(home).arg(away); }

// Under each RW pattern's box: neighbouring pairs ("dwa") and lone occurrences ("jeden").
constexpr int RwDigits[3][2] = {{1, 0}, {0, 2}, {0, 1}};

}  // namespace

PreferencesTab::PreferencesTab(FilterBinding& binding, QWidget* parent)
    : QWidget(parent), binding_(binding) {
    BuildPreferred();
    BuildRw();
}

void PreferencesTab::BuildPreferred() {
    auto* frame = MakeFrame(this, "Panel26", QRect(4, 4, 236, 394));
    MakeStaticText(frame, "StaticText9", " Preferowane wyniki ", QPoint(8, 4));
    const int setPanels[3] = {30, 34, 35};
    const kombinator::FilterFamily& preferred = kombinator::Family(FamilyId::Preferred);
    for (int set = 0; set < 3; ++set) {
        const FlagList& scores = preferred.lists[static_cast<std::size_t>(set)];
        auto* panel = MakeFrame(frame, QStringLiteral("Panel%1").arg(setPanels[set]), QRect(6, 72 + 94 * set, 224, 72));
        panel->hide();
        // Columns by home goals, rows by away goals.
        for (int i = 0; i < scores.count; ++i)
            binding_.AddBox(panel, scores, i, QRect(8 + 53 * (i / 4), 3 + 16 * (i % 4), 52, 16));
        preferredControls_[2 * set] = panel;
        if (set < 2) {
            auto* lub = MakeLabel(frame, QStringLiteral("Label%1").arg(54 + set), "lub",
                                  QRect(6, 146 + 94 * set, 224, 18), Qt::AlignCenter);
            lub->hide();
            preferredControls_[2 * set + 1] = lub;
        }
    }
    timer3_ = new RevealTimer(this, 3, PreferredSetsReveal, [this](std::int32_t step) {
        preferredControls_[static_cast<std::size_t>(step - 1)]->show();
    });
    connect(timer3_, &QTimer::timeout, this, &PreferencesTab::Timer3Timer);
    // Two pixels wider on either side than the sets, for "Z preferencjami" one point larger.
    binding_.AddSwitch(frame, *preferred.onOff, QRect(4, 26, 228, 40),
                       [this](int item, bool instant) { PreferredSwitch(item, instant); });
}

void PreferencesTab::PreferredSwitch(int item, bool instant) {
    if (item != 1 || instant) {
        // A reveal left running would bring back the sets of a family switched off.
        timer3_->stop();
        for (QWidget* control : preferredControls_) control->setVisible(item == 1);
        return;
    }
    timer3_->Restart();
}

void PreferencesTab::Timer3Timer() { timer3_->Tick(); }

void PreferencesTab::BuildRw() {
    auto* frame = MakeFrame(this, "Panel29", QRect(244, 4, 419, 394));
    MakeStaticText(frame, "StaticText10", " Szablony RW ", QPoint(8, 4));
    MakeLabel(frame, "Label51", "Rozład ", QRect(17, 28, 0, 0));
    MakeLabel(frame, "Label53", "ilościowy i", QRect(17, 42, 0, 0));
    MakeLabel(frame, "Label52", "jakościowy wyników", QRect(17, 56, 0, 0));
    const kombinator::FilterFamily& rw = kombinator::Family(FamilyId::Rw);
    const FlagList& patterns = rw.lists[0];
    std::array<QWidget*, 16> panels{};
    for (int j = 0; j < 16; ++j) {
        // Panels and boxes run by away goals first.
        const int home = j % 4, away = j / 4;
        auto* panel = MakeFrame(frame, QStringLiteral("Panel%1").arg(j == 0 ? 36 : 37 + j),
                                QRect(17 + 98 * home, 88 + 72 * away, 94, 68));
        panel->hide();
        panels[j] = panel;
        auto* caption = MakeLabel(panel, {}, ScoreCaption(home, away), QRect(24, 3, 46, 17), Qt::AlignCenter);
        caption->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        MakeLabel(panel, {}, "dwa", QRect(4, 37, 0, 0));
        MakeLabel(panel, {}, "jeden", QRect(4, 51, 0, 0));
        for (int k = 0; k < 3; ++k) {
            const int left = 38 + 18 * k;
            binding_.AddBox(panel, patterns, 3 * j + k, QRect(left, 21, 16, 16));
            for (int row = 0; row < 2; ++row)
                MakeLabel(panel, {}, QString::number(RwDigits[k][row]), QRect(left, 37 + 14 * row, 13, 14),
                          Qt::AlignCenter);
        }
    }
    binding_.AddSwitch(frame, *rw.onOff, QRect(150, 30, 200, 40), [panels](int item, bool) {
        for (QWidget* panel : panels) panel->setVisible(item == 1);
    });
}

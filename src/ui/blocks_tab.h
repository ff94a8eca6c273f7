#pragma once
// " Warunki blokowe ": home and away block goal counts, Block G and Block D.

#include <QWidget>
#include <array>
#include <cstdint>

#include "engine/filter_settings.h"

class FilterBinding;
class QTimer;

class BlocksTab : public QWidget {
    Q_OBJECT
public:
    BlocksTab(kombinator::FilterSettings& settings, FilterBinding& binding, QWidget* parent);

public slots:
    void Timer4Timer();
    void Timer5Timer();
    void Timer6Timer();
    void Timer7Timer();

private:
    // One goal-count block (home or away): its row panels reveal one by one.
    struct CountBlock {
        std::array<QWidget*, 4> rows{};
        QTimer* timer = nullptr;
        std::int32_t revealStep = 0;
    };
    // Block G or Block D: the template panel slides up over the bounds panel.
    struct SignBlock {
        QWidget* templates = nullptr;
        QWidget* bounds = nullptr;
        QTimer* timer = nullptr;
        std::int32_t slideTop = 0;
    };

    void BuildCountBlock(int index);
    void BuildSignBlock(int index);
    void CountSwitch(CountBlock& block, int item, bool instant);
    static void CountTick(CountBlock& block);
    void SignSwitch(SignBlock& block, int item, bool instant);
    static void SignTick(SignBlock& block);

    FilterBinding& binding_;
    CountBlock home_, away_;   // HomeBlockRevealStep, AwayBlockRevealStep
    SignBlock blockG_, blockD_;  // BlockGSlideTop, BlockDSlideTop
};

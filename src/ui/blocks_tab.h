#pragma once
// " Warunki blokowe ": home and away block goal counts, Block G and Block D.

#include <QWidget>
#include <array>

class FilterBinding;
class RevealTimer;

class BlocksTab : public QWidget {
    Q_OBJECT
public:
    BlocksTab(FilterBinding& binding, QWidget* parent);

public slots:
    void Timer4Timer();
    void Timer5Timer();
    void Timer6Timer();
    void Timer7Timer();

private:
    // One goal-count block (home or away): its row panels reveal one by one.
    struct CountBlock {
        std::array<QWidget*, 4> rows{};
        RevealTimer* timer = nullptr;
    };
    // Block G or Block D: the template panel slides up over the bounds panel.
    struct SignBlock {
        QWidget* templates = nullptr;
        QWidget* bounds = nullptr;
        RevealTimer* timer = nullptr;
    };

    void BuildCountBlock(int index);
    void BuildSignBlock(int index);
    static void CountSwitch(CountBlock& block, int item, bool instant);
    static void SignSwitch(SignBlock& block, int item, bool instant);

    FilterBinding& binding_;
    CountBlock home_, away_;     // counting HomeBlockRevealStep, AwayBlockRevealStep
    SignBlock blockG_, blockD_;  // counting BlockGSlideTop, BlockDSlideTop
};

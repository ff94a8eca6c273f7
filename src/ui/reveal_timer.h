#pragma once
// The filter editor's revealing timers (Timer2..Timer7): one counter each, stepped every 100 ms
// by a rule given as data, until the counter passes its bound.

#include <QTimer>
#include <cstdint>
#include <functional>

struct RevealRule {
    std::int32_t start;  // the counter when the family's switch starts the timer
    bool stepFirst;      // step, then test the bound (else test, then step)
    std::int32_t step;
    std::int32_t bound;
    bool stopAbove;      // the timer stops once the counter is above the bound (else below it)
};

// Timer2: increment, then stop if above 28; shows CheckBox(7 + step).
inline constexpr RevealRule RiBoxesReveal{0, true, 1, 28, true};
// Timer3: stop if above 4, else increment; shows the step's control of the five.
inline constexpr RevealRule PreferredSetsReveal{0, false, 1, 4, true};
// Timer4, Timer5: stop if above 3, else increment; shows the row panel of the step.
inline constexpr RevealRule BlockRowsReveal{0, false, 1, 3, true};
// Timer6, Timer7: stop if below 77, else subtract 5; moves the template panel up to the counter.
inline constexpr RevealRule TemplateSlideIn{112, false, -5, 77, false};

class RevealTimer : public QTimer {
    Q_OBJECT
public:
    // TimerN, 100 ms, disabled; `show` gets the counter after each step that shows something.
    RevealTimer(QObject* owner, int number, RevealRule rule, std::function<void(std::int32_t counter)> show);

    // The family's switch: the counter to its start, the timer on.
    void Restart();
    // One tick, as TimerNTimer runs it.
    void Tick();

private:
    bool Past() const { return rule_.stopAbove ? counter_ > rule_.bound : counter_ < rule_.bound; }

    RevealRule rule_;
    std::function<void(std::int32_t)> show_;
    std::int32_t counter_ = 0;
};

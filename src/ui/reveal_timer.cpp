#include "ui/reveal_timer.h"

#include <utility>

RevealTimer::RevealTimer(QObject* owner, int number, RevealRule rule, std::function<void(std::int32_t)> show)
    : QTimer(owner), rule_(rule), show_(std::move(show)), counter_(rule.start) {
    setObjectName(QStringLiteral("Timer%1").arg(number));
    setInterval(100);
}

void RevealTimer::Restart() {
    counter_ = rule_.start;
    start();
}

void RevealTimer::Tick() {
    if (!rule_.stepFirst && Past()) {
        stop();
        return;
    }
    counter_ += rule_.step;
    if (rule_.stepFirst && Past()) {
        stop();
        return;
    }
    show_(counter_);
}

#include "ui/live_count.h"

#include <QLabel>
#include <QTimer>
#include <cstdio>

#include "engine/filter_funnel.h"
#include "ui/number_text.h"

LiveCount::LiveCount(QLabel* label, std::function<kombinator::FilterSettings()> settingsOnScreen, QObject* parent)
    : QObject(parent), label_(label), settingsOnScreen_(std::move(settingsOnScreen)), timer_(new QTimer(this)) {
    timer_->setObjectName("LiveCountTimer");
    timer_->setSingleShot(true);
    timer_->setInterval(DelayMs);
    connect(timer_, &QTimer::timeout, this, &LiveCount::LiveCountTimerTimer);
}

void LiveCount::Changed() {
    // Not restarted by later changes: a held spinner must not postpone the count forever.
    if (timer_->isActive()) return;
    sinceChange_.start();
    timer_->start();
}

QString LiveCount::TextFor(std::int32_t count, const std::string& message) {
    if (message.empty()) return "na bieżąco: " + GroupedNumber(count);
    // "Panel - Typy ogólne: W każdej pozycji ..." in short: the panel it names.
    const QString full = QString::fromStdString(message);
    const qsizetype colon = full.indexOf(": ");
    return "niekompletne: " + (colon > 0 ? full.left(colon) : full);
}

void LiveCount::LiveCountTimerTimer() {
    timer_->stop();
    const kombinator::FilterRunResult result = kombinator::CountFilterRun(settingsOnScreen_());
    ++runs_;
    label_->setText(TextFor(result.CandidateCount, result.message));
    label_->setToolTip(QString::fromStdString(result.message));
    if (!sinceChange_.isValid()) return;
    label_->repaint();
    const double ms = double(sinceChange_.nsecsElapsed()) / 1e6;
    sinceChange_.invalidate();
    if (ms > worstMs_) worstMs_ = ms;
    if (timingLog_)
        std::fprintf(stderr, "kombinator: live count %.1f ms from change to repainted label (worst %.1f ms), %s\n", ms,
                     worstMs_, label_->text().toUtf8().constData());
}

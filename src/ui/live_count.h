#pragma once
// LiveCountLabel beside the documented count: how many Combinations the settings on screen keep,
// recomputed shortly after every change of a filter control. A burst of changes (a spinner held
// down) gives one run for the settings as they stand when the burst's first change is 10 ms old.
// It never touches the CandidateStore, Label15 or SpeedButton2.

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <functional>

#include "model/filter_settings.h"

class QLabel;
class QTimer;

class LiveCount : public QObject {
    Q_OBJECT
public:
    static constexpr int DelayMs = 10;

    // `settingsOnScreen` gives the settings as the compute button would read them.
    LiveCount(QLabel* label, std::function<kombinator::FilterSettings()> settingsOnScreen, QObject* parent = nullptr);

    // A filter control changed: schedule a run unless one is already due.
    void Changed();
    // Runs now for the settings on screen (the timer's handler).
    void LiveCountTimerTimer();

    // The label's text for a run's result: "na bieżąco: 22 235" or "niekompletne: Panel - Typy ogólne".
    static QString TextFor(std::int32_t count, const std::string& message);

    QTimer* Timer() const { return timer_; }
    int Runs() const { return runs_; }
    double WorstLatencyMs() const { return worstMs_; }
    // Prints each run's latency from the first change to the repainted label to stderr.
    void SetTimingLog(bool on) { timingLog_ = on; }

private:
    QLabel* label_;
    std::function<kombinator::FilterSettings()> settingsOnScreen_;
    QTimer* timer_;
    QElapsedTimer sinceChange_;
    int runs_ = 0;
    double worstMs_ = 0;
    bool timingLog_ = false;
};

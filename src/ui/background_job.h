#pragma once
// One piece of long work on a worker thread, so the window never waits for it: its progress and
// its end reach the user-interface thread through queued signals, and a stop flag ends it early.

#include <QObject>
#include <QVariant>
#include <atomic>
#include <cstdint>
#include <functional>
#include <thread>

class BackgroundJob : public QObject {
    Q_OBJECT
public:
    // Runs on the worker. It reads `stop` often and may call `report` at any rate; each call becomes
    // one Progress signal. What it computes it leaves where the Finished handler will read it: the
    // worker has been joined before Finished is emitted.
    using Report = std::function<void(QVariant)>;
    using Work = std::function<void(const std::atomic<bool>& stop, const Report& report)>;

    explicit BackgroundJob(QObject* parent = nullptr);
    // Cancels a running job.
    ~BackgroundJob() override;

    bool Running() const { return running_; }
    // Starts the work on a new thread; false (and nothing started) while a job runs.
    bool Start(Work work);
    // Asks the work to end; Finished(true) follows once it has.
    void RequestStop();
    // Stops the work and waits for it; neither Progress nor Finished follows for this run.
    void Cancel();

signals:
    void Progress(const QVariant& value);
    void Finished(bool stopped);

private:
    std::jthread thread_;
    std::atomic<bool> stop_{false};
    bool running_ = false;
    // Signals queued by an earlier run are dropped when they arrive after Cancel or a new Start.
    std::uint64_t run_ = 0;
};

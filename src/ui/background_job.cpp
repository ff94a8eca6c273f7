#include "ui/background_job.h"

BackgroundJob::BackgroundJob(QObject* parent) : QObject(parent) {}

BackgroundJob::~BackgroundJob() { Cancel(); }

bool BackgroundJob::Start(Work work) {
    if (running_) return false;
    if (thread_.joinable()) thread_.join();
    const std::uint64_t run = ++run_;
    stop_ = false;
    running_ = true;
    thread_ = std::jthread([this, run, work = std::move(work)] {
        const Report report = [this, run](QVariant value) {
            QMetaObject::invokeMethod(
                this,
                [this, run, value = std::move(value)] {
                    if (run == run_ && running_) emit Progress(value);
                },
                Qt::QueuedConnection);
        };
        work(stop_, report);
        QMetaObject::invokeMethod(
            this,
            [this, run] {
                if (run != run_ || !running_) return;
                thread_.join();
                running_ = false;
                emit Finished(stop_.load());
            },
            Qt::QueuedConnection);
    });
    return true;
}

void BackgroundJob::RequestStop() {
    if (running_) stop_ = true;
}

void BackgroundJob::Cancel() {
    if (!thread_.joinable()) return;
    stop_ = true;
    thread_.join();
    running_ = false;
    ++run_;
}

// The worker-thread helper: progress and the end arrive on the user-interface thread, a stop ends
// the work early, a cancel waits for it and drops what it would still have said.
#include <QSignalSpy>
#include <QTest>
#include <QThread>

#include "ui/background_job.h"

class TestBackgroundJob : public QObject {
    Q_OBJECT
private slots:
    void ReportsAndFinishesOnTheWindowThread() {
        BackgroundJob job;
        QList<int> seen;
        bool onWindowThread = true;
        connect(&job, &BackgroundJob::Progress, this, [&](const QVariant& v) {
            seen.append(v.toInt());
            onWindowThread = onWindowThread && QThread::currentThread() == thread();
        });
        QSignalSpy finished(&job, &BackgroundJob::Finished);
        int result = 0;
        QVERIFY(job.Start([&](const std::atomic<bool>&, const BackgroundJob::Report& report) {
            for (int i = 1; i <= 3; ++i) report(i);
            result = 42;
        }));
        QVERIFY(job.Running());
        QVERIFY(!job.Start([](const std::atomic<bool>&, const BackgroundJob::Report&) {}));
        QVERIFY(finished.wait(5000));
        QCOMPARE(finished.first().first().toBool(), false);
        QCOMPARE(seen, (QList<int>{1, 2, 3}));
        QVERIFY(onWindowThread);
        QCOMPARE(result, 42);
        QVERIFY(!job.Running());
    }

    void StopEndsTheWorkAndCancelSilencesIt() {
        BackgroundJob job;
        QSignalSpy finished(&job, &BackgroundJob::Finished);
        QSignalSpy progress(&job, &BackgroundJob::Progress);
        auto untilStopped = [](const std::atomic<bool>& stop, const BackgroundJob::Report& report) {
            while (!stop) {
                report(0);
                QThread::msleep(5);
            }
        };
        QVERIFY(job.Start(untilStopped));
        QTest::qWait(30);
        job.RequestStop();
        QVERIFY(finished.wait(5000));
        QCOMPARE(finished.first().first().toBool(), true);

        QVERIFY(job.Start(untilStopped));
        QTest::qWait(30);
        job.Cancel();
        QVERIFY(!job.Running());
        progress.clear();
        QTest::qWait(50);
        QCOMPARE(finished.count(), 1);
        QCOMPARE(progress.count(), 0);
    }
};

QTEST_GUILESS_MAIN(TestBackgroundJob)
#include "test_background_job.moc"

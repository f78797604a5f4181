// The worker hand-back shared by the computation and "Open layer": one piece of
// work at a time, its cancel flag, and its end told on the GUI thread once the
// worker is joined.

#include "view/BackgroundWork.h"

#include <QSignalSpy>
#include <QtTest>

#include <atomic>
#include <memory>
#include <thread>

namespace sw::gui {

class BackgroundWorkTest : public QObject {
    Q_OBJECT

private slots:
    void oneWorkAtATimeAndCancelReachesIt() {
        BackgroundWork work;
        QSignalSpy finished(&work, &BackgroundWork::Finished);
        std::atomic<bool> started{false};
        bool sawCancel = false;
        const std::thread::id gui = std::this_thread::get_id();
        std::thread::id ranOn;
        QVERIFY(work.Start([&](const std::atomic<bool>& cancel) {
            ranOn = std::this_thread::get_id();
            started = true;
            while (!cancel) {
                std::this_thread::yield();
            }
            sawCancel = true;
        }));
        QVERIFY(work.Running());
        QVERIFY(!work.Start([](const std::atomic<bool>&) {}));
        QTRY_VERIFY(started);
        QCOMPARE(finished.count(), 0);
        work.Cancel();
        QTRY_COMPARE(finished.count(), 1);
        // Joined before the signal: what the work wrote is there, unlocked.
        QVERIFY(sawCancel);
        QVERIFY(ranOn != gui);
        QVERIFY(!work.Running());

        // The next work starts with the flag down.
        bool cancelledAtStart = true;
        QVERIFY(work.Start([&](const std::atomic<bool>& cancel) { cancelledAtStart = cancel; }));
        QTRY_COMPARE(finished.count(), 2);
        QVERIFY(!cancelledAtStart);
    }

    // Going away while work runs stops it and waits: nothing is left writing.
    void destroyingStopsAndWaits() {
        std::atomic<bool> ended{false};
        auto work = std::make_unique<BackgroundWork>();
        QVERIFY(work->Start([&](const std::atomic<bool>& cancel) {
            while (!cancel) {
                std::this_thread::yield();
            }
            ended = true;
        }));
        work.reset();
        QVERIFY(ended);
    }
};

} // namespace sw::gui

QTEST_MAIN(sw::gui::BackgroundWorkTest)
#include "BackgroundWorkTest.moc"

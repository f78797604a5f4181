// The worker hand-back shared by the computation and "Open layer": one piece of
// work at a time, its cancel flag, and its end told on the GUI thread once the
// worker is joined.

#include "view/BackgroundWork.h"

#include <QSignalSpy>
#include <QtTest>

#include <QElapsedTimer>

#include <atomic>
#include <chrono>
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

    // Work stuck where it checks no flag is left behind at once: no hand-back
    // comes for it, the next work starts, and going away does not wait.
    void abandonedWorkIsLeftBehind() {
        auto release = std::make_shared<std::atomic<bool>>(false);
        auto ended = std::make_shared<std::atomic<int>>(0);
        const auto stuck = [release, ended](const std::atomic<bool>&) {
            while (!*release) {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
            ++*ended;
        };
        auto work = std::make_unique<BackgroundWork>();
        QSignalSpy finished(work.get(), &BackgroundWork::Finished);
        QVERIFY(work->Start(stuck));
        work->Abandon();
        QVERIFY(!work->Running());
        bool next = false;
        QVERIFY(work->Start([&](const std::atomic<bool>& cancel) { next = !cancel; }));
        QTRY_COMPARE(finished.count(), 1);
        QVERIFY(next);

        work->SetAbandonOnDestroy(true);
        QVERIFY(work->Start(stuck));
        QElapsedTimer timer;
        timer.start();
        work.reset();
        QVERIFY(timer.elapsed() < 500);
        QCOMPARE(ended->load(), 0);
        *release = true;
        QTRY_COMPARE(ended->load(), 2);
    }
};

} // namespace sw::gui

QTEST_MAIN(sw::gui::BackgroundWorkTest)
#include "BackgroundWorkTest.moc"

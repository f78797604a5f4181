#pragma once

// One piece of work on a worker thread, handed back on the GUI thread: the
// work runs with a cancel flag it checks, and Finished() is emitted on the
// thread that started it once the worker has been joined, so whatever the work
// wrote is safe to read there without a lock.

#include <QObject>

#include <atomic>
#include <functional>
#include <thread>

namespace sw::gui {

class BackgroundWork : public QObject {
    Q_OBJECT

public:
    using Work = std::function<void(const std::atomic<bool>& cancel)>;

    explicit BackgroundWork(QObject* parent = nullptr);
    ~BackgroundWork() override; // cancels running work and waits for it

    // False (and nothing started) while other work runs.
    bool Start(Work work);
    // Asks running work to stop; it ends at its next check of the flag.
    void Cancel();
    bool Running() const { return running_; }

signals:
    // The work has ended (done, failed or cancelled) and its thread is joined.
    void Finished();

private:
    void WorkerDone();

    std::thread worker_;
    std::atomic<bool> cancel_{false};
    bool running_ = false;
};

} // namespace sw::gui

#pragma once

// One piece of work on a worker thread, handed back on the GUI thread: the
// work runs with a cancel flag it checks, and Finished() is emitted on the
// thread that started it once the worker has been joined, so whatever the work
// wrote is safe to read there without a lock.
//
// Work that writes only into what it owns (state its closure shares, never the
// caller's members) may also be left behind: Abandon() lets the window go on at
// once, and quitting does not wait, while a read is stuck inside a library call
// that checks no flag.

#include <QObject>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

namespace sw::gui {

class BackgroundWork : public QObject {
    Q_OBJECT

public:
    using Work = std::function<void(const std::atomic<bool>& cancel)>;

    explicit BackgroundWork(QObject* parent = nullptr);
    // Cancels running work and waits for it, or abandons it when
    // SetAbandonOnDestroy(true) was called.
    ~BackgroundWork() override;

    // False (and nothing started) while other work runs.
    bool Start(Work work);
    // Asks running work to stop; it ends at its next check of the flag.
    void Cancel();
    // Raises the flag and lets running work end on its own: Running() is false
    // at once and no Finished() comes for it. Only for work that writes nothing
    // but what it owns.
    void Abandon();
    void SetAbandonOnDestroy(bool abandon) { abandonOnDestroy_ = abandon; }
    bool Running() const { return running_; }

signals:
    // The work has ended (done, failed or cancelled) and its thread is joined.
    void Finished();

private:
    // What a worker and its owner share: the flag, and whom to tell of the end
    // (nobody once abandoned).
    struct Link;

    void WorkerDone(const Link* link);

    std::thread worker_;
    std::shared_ptr<Link> link_;
    bool running_ = false;
    bool abandonOnDestroy_ = false;
};

} // namespace sw::gui

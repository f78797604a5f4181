#include "view/BackgroundWork.h"

#include <QMetaObject>

#include <mutex>
#include <utility>

namespace sw::gui {

struct BackgroundWork::Link {
    std::atomic<bool> cancel{false};
    std::mutex mutex;
    BackgroundWork* owner = nullptr; // guarded by mutex
};

BackgroundWork::BackgroundWork(QObject* parent) : QObject(parent) {}

BackgroundWork::~BackgroundWork() {
    if (running_ && abandonOnDestroy_) {
        Abandon();
        return;
    }
    if (link_) {
        link_->cancel = true;
        const std::lock_guard<std::mutex> lock(link_->mutex);
        link_->owner = nullptr; // a hand-back posted now finds nobody
    }
    if (worker_.joinable()) {
        worker_.join();
    }
}

bool BackgroundWork::Start(Work work) {
    if (running_) {
        return false;
    }
    if (worker_.joinable()) {
        worker_.join();
    }
    link_ = std::make_shared<Link>();
    link_->owner = this;
    running_ = true;
    worker_ = std::thread([link = link_, work = std::move(work)] {
        work(link->cancel);
        // Under the lock the owner is either still there (and its destructor
        // waits for the post to be made; ~QObject drops it unread) or gone.
        const std::lock_guard<std::mutex> lock(link->mutex);
        if (BackgroundWork* owner = link->owner) {
            // The posted call holds the link, so no later work's link can take
            // its address while it waits.
            QMetaObject::invokeMethod(
                owner, [owner, link] { owner->WorkerDone(link.get()); }, Qt::QueuedConnection);
        }
    });
    return true;
}

void BackgroundWork::Cancel() {
    if (running_) {
        link_->cancel = true;
    }
}

void BackgroundWork::Abandon() {
    if (!running_) {
        return;
    }
    link_->cancel = true;
    {
        const std::lock_guard<std::mutex> lock(link_->mutex);
        link_->owner = nullptr;
    }
    worker_.detach();
    link_.reset();
    running_ = false;
}

void BackgroundWork::WorkerDone(const Link* link) {
    if (link != link_.get()) {
        return; // the end of abandoned work
    }
    // Joining orders the worker's writes before everything the GUI thread does next.
    if (worker_.joinable()) {
        worker_.join();
    }
    running_ = false;
    emit Finished();
}

} // namespace sw::gui

#include "view/BackgroundWork.h"

#include <QMetaObject>

#include <utility>

namespace sw::gui {

BackgroundWork::BackgroundWork(QObject* parent) : QObject(parent) {}

BackgroundWork::~BackgroundWork() {
    cancel_ = true;
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
    cancel_ = false;
    running_ = true;
    worker_ = std::thread([this, work = std::move(work)] {
        work(cancel_);
        QMetaObject::invokeMethod(this, &BackgroundWork::WorkerDone, Qt::QueuedConnection);
    });
    return true;
}

void BackgroundWork::Cancel() {
    if (running_) {
        cancel_ = true;
    }
}

void BackgroundWork::WorkerDone() {
    // Joining orders the worker's writes before everything the GUI thread does next.
    if (worker_.joinable()) {
        worker_.join();
    }
    running_ = false;
    emit Finished();
}

} // namespace sw::gui

#include "view/SheetComputation.h"

#include "coverage/Coverage.h"
#include "index/CheckedMath.h"
#include "view/AppTitle.h"

#include <QMetaObject>

#include <exception>
#include <new>

namespace sw::gui {

SheetComputation::SheetComputation(QObject* parent) : QObject(parent) {}

SheetComputation::~SheetComputation() {
    cancel_ = true;
    if (worker_.joinable()) {
        worker_.join();
    }
}

bool SheetComputation::Start(const Settings& s, const Feature& f) {
    if (running_) {
        return false;
    }
    if (worker_.joinable()) {
        worker_.join();
    }
    cancel_ = false;
    running_ = true;
    worker_ = std::thread([this, s = Settings(s), f = Feature(f)]() mutable {
        ComputeOutcome out;
        out.settings = s;
        SheetGrid grid;
        ComputeControl ctl;
        ctl.cancel = &cancel_;
        ctl.progress = [this](int32_t percent, const std::string& text) {
            const QString q = FromCore(text);
            QMetaObject::invokeMethod(
                this, [this, q, percent] { emit Progress(q, percent); }, Qt::QueuedConnection);
        };
        try {
            ComputeSheets(s, f, grid, ctl);
            out.Result = ComputeOutcome::Kind::Done;
            out.feature = std::move(f);
            out.grid = std::move(grid);
        } catch (const ComputeCancelled& e) {
            out.Result = ComputeOutcome::Kind::Cancelled;
            out.Message = e.what();
        } catch (const std::bad_alloc&) {
            out.Result = ComputeOutcome::Kind::Failed;
            out.Message = ExtentTooLargeMessage;
        } catch (const std::exception& e) {
            out.Result = ComputeOutcome::Kind::Failed;
            out.Message = e.what();
        }
        {
            std::lock_guard<std::mutex> lock(mutex_);
            outcome_ = std::move(out);
        }
        QMetaObject::invokeMethod(this, &SheetComputation::WorkerDone, Qt::QueuedConnection);
    });
    return true;
}

void SheetComputation::Cancel() {
    if (running_) {
        cancel_ = true;
    }
}

void SheetComputation::WorkerDone() {
    if (worker_.joinable()) {
        worker_.join();
    }
    running_ = false;
    emit Finished();
}

ComputeOutcome SheetComputation::TakeOutcome() {
    std::lock_guard<std::mutex> lock(mutex_);
    return std::move(outcome_);
}

} // namespace sw::gui

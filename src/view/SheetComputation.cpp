#include "view/SheetComputation.h"

#include "coverage/Coverage.h"
#include "gui/AppTitle.h"
#include "index/CheckedMath.h"
#include "session/Session.h"
#include "view/BackgroundWork.h"

#include <QMetaObject>

#include <atomic>
#include <chrono>
#include <exception>
#include <new>
#include <thread>

namespace sw::gui {

namespace {

std::atomic<bool> holdUntilCancelled{false};

// Bounded, so a test that forgets to cancel fails instead of hanging.
void WaitForCancel(const std::atomic<bool>& cancel) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!cancel.load() && std::chrono::steady_clock::now() < until) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

} // namespace

void SheetComputation::HoldUntilCancelled(bool on) {
    holdUntilCancelled.store(on);
}

SheetComputation::SheetComputation(QObject* parent)
    : QObject(parent), work_(new BackgroundWork(this)) {
    connect(work_, &BackgroundWork::Finished, this, &SheetComputation::Finished);
}

SheetComputation::~SheetComputation() {
    delete work_; // stops the worker before the outcome it writes goes away
}

bool SheetComputation::Start(const Settings& s, Feature f) {
    return work_->Start(
        [this, s = Settings(s), f = std::move(f)](const std::atomic<bool>& cancel) mutable {
            ComputeOutcome out;
            out.settings = s;
            SheetGrid grid;
            ComputeControl ctl;
            ctl.cancel = &cancel;
            ctl.progress = [this](int32_t percent, const std::string& text) {
                const QString q = FromCore(text);
                QMetaObject::invokeMethod(
                    this, [this, q, percent] { emit Progress(q, percent); }, Qt::QueuedConnection);
            };
            if (holdUntilCancelled.load()) {
                WaitForCancel(cancel);
            }
            try {
                // The window's zoom is committed with the result but takes no
                // part in which sheets are IN.
                ComputeSheets(DecisionSettings(s), f, grid, ctl);
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
            outcome_ = std::move(out);
        });
}

void SheetComputation::Cancel() {
    work_->Cancel();
}

bool SheetComputation::Running() const {
    return work_->Running();
}

ComputeOutcome SheetComputation::TakeOutcome() {
    return std::move(outcome_);
}

} // namespace sw::gui

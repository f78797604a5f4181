#include "view/PaintProgress.h"

#include <QCoreApplication>

namespace sw::gui {

PaintControl PaintProgress::Begin() {
    active_ = true;
    cancel_ = false;
    clock_.start();
    PaintControl ctl;
    ctl.cancel = &cancel_;
    ctl.progress = [this](int32_t percent) { Step(percent); };
    return ctl;
}

void PaintProgress::Step(int32_t percent) {
    if (clock_.elapsed() < delayMs_) {
        return;
    }
    if (!notice_) {
        notice_.emplace(panel_, DrawingProgressText(percent));
        if (busyChanged_) {
            busyChanged_();
        }
    } else {
        notice_->SetText(DrawingProgressText(percent));
    }
    // Escape and the repaints of the window: the commands that would change
    // what is being drawn are disabled meanwhile.
    QCoreApplication::processEvents();
    if (stepHook_) {
        stepHook_(percent);
    }
}

void PaintProgress::End() {
    active_ = false;
    if (notice_) {
        notice_.reset();
        if (busyChanged_) {
            busyChanged_();
        }
    }
}

void PaintProgress::Cancel() {
    if (active_) {
        cancel_ = true;
    }
}

QString DrawingProgressText(int percent) {
    return QStringLiteral("%1 %2%").arg(DrawingLayoutText()).arg(percent);
}

} // namespace sw::gui

#pragma once

// A long drawing of the layout made visible and stoppable. The drawing runs on
// the GUI thread (it paints the window's own image); once it has taken 0.2 s
// the busy cursor shows and panel 0 reads "Drawing the layout... 45%", and from
// then on the window's events run between rows of cells, so that Escape
// reaches Cancel() and the drawing ends with PaintCancelled. While a drawing
// is under way Active() is true and the window treats itself as busy.

#include "view/BusyNotice.h"
#include "view/LayoutPainter.h"

#include <QElapsedTimer>

#include <atomic>
#include <functional>
#include <optional>

class QLabel;

namespace sw::gui {

class PaintProgress {
public:
    explicit PaintProgress(QLabel* panel) : panel_(panel) {}

    // Brackets one drawing: Begin gives the control to hand to the painter.
    PaintControl Begin();
    void End();

    bool Active() const { return active_; }
    // Makes the drawing under way throw PaintCancelled at its next row.
    void Cancel();

    // Told when the busy notice appears or goes (the window's commands follow).
    void OnBusyChanged(std::function<void()> changed) { busyChanged_ = std::move(changed); }

    // How long a drawing runs before it shows itself (tests set 0), and a hook
    // called at each step shown, after the window's events have run.
    static constexpr int NoticeDelayMs = 200;
    void SetNoticeDelay(int ms) { delayMs_ = ms; }
    void SetStepHook(std::function<void(int percent)> hook) { stepHook_ = std::move(hook); }

private:
    void Step(int32_t percent);

    QLabel* panel_;
    bool active_ = false;
    std::atomic<bool> cancel_{false};
    QElapsedTimer clock_;
    int delayMs_ = NoticeDelayMs;
    std::optional<BusyNotice> notice_;
    std::function<void()> busyChanged_;
    std::function<void(int)> stepHook_;
};

// "Drawing the layout... 45%".
QString DrawingProgressText(int percent);

} // namespace sw::gui

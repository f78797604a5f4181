#pragma once

// The layout image as the session's state asks for it: made at the session's
// zoom (or refused, with the message), fitted to the window, drawn once with
// its progress and Escape (view/PaintProgress.h), read out under the pointer
// and zoomed around a point. The pane (view/LayoutPane.h) holds the image;
// the session holds the model; this joins them and reports in the status bar.

#include "session/Session.h"
#include "view/PaintProgress.h"

#include <QPoint>
#include <QString>

#include <functional>

class QLabel;
class QWidget;

namespace sw::gui {

class LayoutPane;

class LayoutDriver {
public:
    using PanelText = std::function<void(int panel, const QString& text)>;

    // `window` parents the message boxes; `busyPanel` shows a long drawing's
    // progress; `probe` runs the start-up bitmap probe when it has not run yet.
    LayoutDriver(LayoutPane& pane, Session& session, QWidget* window, QLabel* busyPanel,
                 PanelText panelText, std::function<void()> probe);

    // CreateImage (`fit` false) or FitToscreen: a new blank image for the
    // committed grid. A fitted image never says "too large": it stops at the
    // smallest zoom and is scrolled; only a grid no zoom can show is refused.
    // `before`: the geometry of the layout it replaces, whose last frame is
    // shown meanwhile.
    bool Make(bool fit, const LayoutGeometry* before = nullptr);

    // FormPaint: draws a new image once. A drawing stopped with Escape leaves
    // no image, says so in panel 0 and keeps the feature and its total.
    void Paint();
    bool Painting() const { return progress_.Active(); }
    void CancelPaint() { progress_.Cancel(); }
    PaintProgress& Progress() { return progress_; }

    // Image1MouseMove: the readout in the three panels; all three empty over
    // the margin.
    void Move(int x, int y);

    // The buttons and clicks: `steps` zoom steps of ZoomStep in (positive) or
    // out, from wherever the zoom is, keeping what lies under image pixel
    // `imagePos` where it is in the window (none when negative).
    void ZoomAt(int steps, QPoint imagePos);
    // The wheel and the + and - keys zoom continuously around `imagePos`: each
    // notch scales the layout on screen by WheelScaleStep (WheelZoomTarget),
    // and below the smallest zoom a reduced view by the same factor, down to
    // the whole layout. Only the drawing changes; the sheets are not computed.
    void WheelAt(int steps, QPoint imagePos);
    static constexpr double WheelScaleStep = 1.25;

private:
    // Changes the session's zoom through `change` and, when it changed, makes
    // and draws the layout again with imagePos's place kept in the window.
    void Rezoom(QPoint imagePos, const std::function<bool()>& change);

    LayoutPane& pane_;
    Session& session_;
    QWidget* window_;
    PanelText panelText_;
    std::function<void()> probe_;
    PaintProgress progress_;
};

// The zoom `steps` wheel notches from `zoom`: WheelScaleStep times larger (or
// smaller) a notch, rounded to whole pixels, at least one pixel a notch, and
// within MinSheetPixelHeight and MaxSheetPixelHeight.
int32_t WheelZoomTarget(int32_t zoom, int steps);

// Said in panel 0 when Escape stopped a drawing.
inline constexpr const char* DrawingCancelledText =
    "Drawing cancelled: press Fit to Screen or zoom to draw the layout again";

} // namespace sw::gui

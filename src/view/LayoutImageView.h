#pragma once

// The layout on screen: a widget of the layout's size (times the view's scale)
// inside the scroll box that draws only what the scroll box shows. Each frame
// is drawn from the model and the layout geometry by a FrameSource, into an
// image of the visible area and a border around it, so scrolling within the
// border only copies pixels; no bitmap of the whole layout exists. When the
// last frame took longer than FrameBudgetMs, the previous frame is shown
// scaled at once and the new one follows on the next turn of the event loop,
// so a zoom never shows a blank window.
//
// The pointer is reported in layout pixels. A click (press and release without
// moving) is a click; a drag pans. The wheel (with or without Ctrl) zooms at
// the pointer, Shift and the wheel scroll sideways and Alt and the wheel
// scroll; + and - zoom at the window's centre and the arrow keys pan.

#include "view/LayoutPainter.h"

#include <QImage>
#include <QPoint>
#include <QWidget>

#include <optional>

class QScrollArea;

namespace sw::gui {

class FrameSource {
public:
    virtual ~FrameSource() = default;
    // Draws the layout from `origin` onward on `frame` (made blank by the
    // caller), `scale` frame pixels to a layout pixel (its device pixel ratio
    // besides).
    virtual void DrawFrame(QImage& frame, QPointF origin, double scale,
                           const PaintControl& ctl) const = 0;
    // The device pixels per layout pixel a frame of `layoutArea` is drawn at,
    // given `ratio`, the screen's device pixel ratio times the view's scale:
    // a frame of many cells on a high-density screen, or of outlined cells in
    // a reduced view, is drawn at one pixel per layout pixel and enlarged or
    // reduced when shown, as the painter's per-cell cost is some tenfold.
    virtual double FrameDensity(const QRectF& layoutArea, double ratio) const = 0;
};

class LayoutImageView : public QWidget {
    Q_OBJECT

public:
    LayoutImageView(QSize layoutSize, const FrameSource& source, QWidget* parent = nullptr);

    // Screen pixels per layout pixel: 1 at the standard look.
    double Scale() const { return scale_; }
    // A new scale of the same layout: the widget is resized and the frame
    // drawn again, the previous one shown scaled meanwhile if that takes long.
    void Rescale(double scale);
    // A frame of the layout this view replaces, shown (if the first frame
    // takes long) over `widgetRect` until this view's own frame is drawn.
    void ShowMeanwhile(const QImage& frame, const QRectF& widgetRect, double lastFrameMs);

    QPointF ToLayout(QPointF widgetPos) const { return widgetPos / scale_; }
    QPoint ToWidget(QPointF layoutPos) const { return (layoutPos * scale_).toPoint(); }

    // The model or the drawing changed: the next paint draws a new frame.
    void Invalidate();
    // Draws the frame of what the scroll box shows now through `ctl` (the
    // first drawing of a layout, with its progress and Escape); throws what
    // the drawing throws.
    void DrawVisible(const PaintControl& ctl = {});
    // The highlighted cell's box in layout pixels, or none.
    void SetHighlight(std::optional<HighlightBox> box);

    // What the frames cost and how many there were (the canvas benchmark).
    double LastFrameMs() const { return lastFrameMs_; }
    int FramesDrawn() const { return framesDrawn_; }
    // The last frame: its image and the widget pixels it covers.
    const QImage& Frame() const { return frame_; }
    QRect FrameRect() const { return frameRect_; }

    // Above this a frame is drawn after showing the previous one scaled.
    static constexpr double FrameBudgetMs = 50.0;

signals:
    void PointerMoved(int x, int y);
    void PointerPressed(Qt::MouseButton button, int x, int y);
    // The wheel (whole notches; a touchpad's fractions add up) or + and -:
    // `steps` notches, positive in, at layout pixel (x, y).
    void WheelZoom(int steps, int x, int y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QScrollArea* ScrollBox() const;
    // The widget pixels the scroll box shows, and the frame drawn for them.
    QRect VisibleRect() const;
    QRect FrameFor(const QRect& visible) const;
    void PanBy(QPoint delta);
    // Scrolls as the scroll box scrolls for a wheel turned by `eighths` of a degree.
    void ScrollByWheel(QPoint eighths);
    void DrawHighlight(QPainter& p) const;

    QSize layoutSize_;
    const FrameSource& source_;
    double scale_ = 1.0;
    QImage frame_;
    QRect frameRect_;    // widget pixels the frame covers
    QRectF frameTarget_; // where its pixels go, widget pixels (whole layout pixels)
    bool frameValid_ = false;
    QImage previous_;
    QRectF previousRect_; // widget pixels at the current scale
    bool redrawQueued_ = false;
    std::optional<HighlightBox> highlight_;
    double lastFrameMs_ = 0;
    int framesDrawn_ = 0;
    std::optional<QPoint> pressAt_; // where a button went down, widget pixels
    bool dragging_ = false;
    int wheelAngle_ = 0; // eighths of a degree not yet a whole notch
};

} // namespace sw::gui

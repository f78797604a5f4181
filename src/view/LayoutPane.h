#pragma once

// The layout in the main window's scroll box: planning it at the size the grid
// and zoom need (or refusing it), fitting it to the window, drawing it, and the
// pointer readout with its highlight. The model it shows belongs to the session
// and is only read: the screen draws the cells it shows from the geometry
// (view/LayoutImageView.h), and the layout image of the pictures is drawn
// whole only when asked for.

#include "coverage/Feature.h"
#include "coverage/LayoutGeometry.h"
#include "coverage/LayoutSizing.h"
#include "coverage/PointerReadout.h"
#include "coverage/SheetGrid.h"
#include "index/Settings.h"
#include "view/LayoutImageView.h"
#include "view/LayoutPainter.h"

#include <QImage>
#include <QObject>

#include <cstdint>
#include <optional>

class QScrollArea;

namespace sw::gui {

class LayoutPane : public QObject, private FrameSource {
    Q_OBJECT

public:
    explicit LayoutPane(QScrollArea* scrollBox, QObject* parent = nullptr);

    // Whether a layout is made (its image may be blank until it is drawn).
    bool Made() const { return view_ != nullptr; }
    // The layout image as a picture holds it (at the screen's density for a
    // moderate layout), or null when there is none. It is drawn whole when
    // first asked for after a change, so only saving and tests pay for it.
    const QImage* Image() const;
    // The widget on screen, or null.
    const LayoutImageView* View() const { return view_; }
    bool Drawn() const { return drawn_; }
    // The image must be drawn afresh (a new zoom, a new result).
    void Undraw() { drawn_ = false; }
    int32_t HighlightIndex() const { return highlightIndex_; }
    const LayoutGeometry& Geometry() const { return geometry_; }
    // How many layouts were planned: one for each Create that made a layout;
    // drawing, frames, the readout and the picture plan nothing.
    int Plans() const { return plans_; }

    const ImageLimits& Limits() const { return limits_; }
    bool LimitsProbed() const { return limitsProbed_; }
    void SetLimits(const ImageLimits& limits);
    // The start-up probe of the largest bitmap the display of `window` holds,
    // once (GetMAxResource with a square extent of 300 by 300 centimetres).
    void ProbeLimits(const QWidget& window);

    // CreateImage: replaces the image by a blank one for the grid at the
    // settings' zoom, centred in the scroll box. Without `fit` the size limit
    // may lower the zoom (ImageSizePossible); with `fit` the zoom is the largest
    // one whose image fits the scroll box, or the smallest zoom when none does
    // (FitZoom). `Made` is false, with no image, when none can be made; `Zoom`
    // is the zoom the image was planned at (or where the attempts ended).
    struct Created {
        bool Made = false;
        int32_t Zoom = 0;
        explicit operator bool() const { return Made; }
    };
    // A fit whose smallest zoom is still larger than the window shows the
    // layout reduced (Scale below 1), whole. With `before`, the geometry of
    // the layout being replaced, its last frame is shown where it now lies
    // until the new one is drawn.
    Created Create(const Settings& s, const SheetGrid& g, bool fit = false,
                   const LayoutGeometry* before = nullptr);
    // Screen pixels per layout pixel; 1 except for a reduced layout.
    double Scale() const;
    // Shows the same layout at `scale`, keeping layout pixel `anchor` at the
    // viewport position `at`.
    void Rescale(double scale, QPointF anchor, QPoint at);
    // The scale at which the whole layout fits the scroll box.
    double WholeScale() const;
    // Removes the image (it may be the widget whose handler is running).
    void Drop();

    // The layout as a picture file holds it: one device pixel per layout pixel,
    // whatever density the window draws at. Null when there is no image.
    QImage Picture() const;

    // Device pixels, and cells with the ring of neighbours, above which a layout
    // is drawn at one device pixel per layout pixel even on a high-density
    // screen (the drawing then takes well under 0.2 s).
    static constexpr double HighDensityPixelLimit = 36.0e6;
    static constexpr double HighDensityCellLimit = 20'000;
    // The smallest view scale: a grid of some 16 million cells still fits.
    static constexpr double MinViewScale = 1.0 / 64;

    // Scrolls so that the image pixel `image` stands at `viewport`, a position
    // in the scroll box's visible area (as far as the scroll bars reach).
    void ScrollTo(QPoint image, QPoint viewport);
    // Where an image pixel is in the scroll box's visible area.
    QPoint ViewportPos(QPoint image) const;

    // Draws the layout, from now on at every frame: the first frame is drawn
    // here through `ctl`. The "Total Sheets" count, or nothing when there was
    // nothing to draw. Throws what the drawing throws, after marking the
    // layout drawn so it is not retried; a drawing stopped through `ctl`
    // (PaintCancelled) drops the layout first. The model must outlive the
    // layout or the next Create.
    std::optional<int32_t> Paint(const Settings& s, const Feature& f, const SheetGrid& g,
                                 const PaintControl& ctl = {});

    // The readout at an image pixel (ReadLayoutPointer: a sheet, a neighbour in
    // the ring, or nothing over the margin); with a drawn image and a sheet under
    // the pointer the highlight moves to it. A blank image names no cell.
    // Nothing for a position no layout holds.
    std::optional<PointerReading> Move(const Settings& s, const SheetGrid& g, int x, int y);

signals:
    void PointerMoved(int x, int y);
    void PointerPressed(Qt::MouseButton button, int x, int y);
    // The mouse wheel or + and -: `steps` notches away from the user (positive)
    // or towards them, at image pixel (x, y).
    void WheelZoom(int steps, int x, int y);

private:
    // The density the image is drawn at: the screen's, within the limits.
    double DeviceRatioFor(const ImageSize& size, const SheetGrid& g) const;
    QImage RenderImage(double ratio) const;
    void ShowView(LayoutImageView* view);

    // FrameSource: the screen's frames.
    void DrawFrame(QImage& frame, QPointF origin, double scale,
                   const PaintControl& ctl) const override;
    double FrameDensity(const QRectF& layoutArea, double ratio) const override;

    QScrollArea* scrollBox_;
    LayoutImageView* view_ = nullptr; // LayoutImage; null = none
    bool drawn_ = false;
    int32_t highlightIndex_ = -1;
    LayoutGeometry geometry_;
    // What is shown, read only: the settings of the layout and the session's
    // feature and grid (the feature once drawn).
    Settings settings_;
    const SheetGrid* grid_ = nullptr;
    const Feature* feature_ = nullptr;
    mutable std::optional<QImage> image_; // drawn on demand
    int plans_ = 0;
    ImageLimits limits_;
    bool limitsProbed_ = false;
};

} // namespace sw::gui

#pragma once

// The layout image in the main window's scroll box: making it at the size the
// grid and zoom need (or refusing it), fitting it to the window, drawing it once,
// and the pointer readout with its highlight on it. The model it shows belongs
// to the session; the pane keeps only the image, its geometry and what has been
// drawn on it.

#include "coverage/Feature.h"
#include "coverage/LayoutGeometry.h"
#include "coverage/LayoutSizing.h"
#include "coverage/PointerReadout.h"
#include "coverage/SheetGrid.h"
#include "index/Settings.h"
#include "view/LayoutPainter.h"

#include <QImage>
#include <QObject>

#include <cstdint>
#include <optional>

class QLabel;
class QScrollArea;

namespace sw::gui {

class LayoutImageView;

class LayoutPane : public QObject {
    Q_OBJECT

public:
    explicit LayoutPane(QScrollArea* scrollBox, QObject* parent = nullptr);

    // The image, or null when there is none.
    const QImage* Image() const;
    bool Drawn() const { return drawn_; }
    // The image must be drawn afresh (a new zoom, a new result).
    void Undraw() { drawn_ = false; }
    int32_t HighlightIndex() const { return highlightIndex_; }
    const LayoutGeometry& Geometry() const { return geometry_; }

    const ImageLimits& Limits() const { return limits_; }
    bool LimitsProbed() const { return limitsProbed_; }
    void SetLimits(const ImageLimits& limits);
    // The start-up probe of the largest bitmap the display of `window` holds,
    // once (GetMAxResource with a square extent of 300 by 300 centimetres).
    void ProbeLimits(const QWidget& window);

    // Where the pane says that it is busy making or drawing a large image.
    void SetBusyPanel(QLabel* panel) { busyPanel_ = panel; }

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
    Created Create(const Settings& s, const SheetGrid& g, bool fit = false);
    // Removes the image (it may be the widget whose handler is running).
    void Drop();

    // The layout as a picture file holds it: one device pixel per layout pixel,
    // whatever density the window draws at. Null when there is no image.
    QImage Picture(const Settings& s, const Feature& f, const SheetGrid& g) const;

    // Device pixels, and cells with the ring of neighbours, above which a layout
    // is drawn at one device pixel per layout pixel even on a high-density
    // screen (the drawing then takes well under 0.2 s).
    static constexpr double HighDensityPixelLimit = 36.0e6;
    static constexpr double HighDensityCellLimit = 20'000;

    // Scrolls so that the image pixel `image` stands at `viewport`, a position
    // in the scroll box's visible area (as far as the scroll bars reach).
    void ScrollTo(QPoint image, QPoint viewport);
    // Where an image pixel is in the scroll box's visible area.
    QPoint ViewportPos(QPoint image) const;

    // Draws the layout once onto the image (PlaceLayout first); the "Total
    // Sheets" count, or nothing when there was nothing to draw. Throws what the
    // drawing throws, after marking the image drawn so it is not retried; a
    // drawing stopped through `ctl` (PaintCancelled) drops the image first.
    std::optional<int32_t> Paint(const Settings& s, Feature& f, SheetGrid& g,
                                 const PaintControl& ctl = {});

    // The readout at an image pixel (ReadLayoutPointer: a sheet, a neighbour in
    // the ring, or nothing over the margin); with a drawn image and a sheet under
    // the pointer the highlight moves to it. A blank image names no cell.
    // Nothing for a position no layout holds.
    std::optional<PointerReading> Move(const Settings& s, const SheetGrid& g, int x, int y);

signals:
    void PointerMoved(int x, int y);
    void PointerPressed(Qt::MouseButton button, int x, int y);
    // Ctrl and the mouse wheel: `steps` notches away from the user (positive)
    // or towards them, at image pixel (x, y).
    void WheelZoom(int steps, int x, int y);

private:
    // The density the image is drawn at: the screen's, within the limits.
    double DeviceRatioFor(const ImageSize& size, const SheetGrid& g) const;

    QScrollArea* scrollBox_;
    QLabel* busyPanel_ = nullptr;
    LayoutImageView* view_ = nullptr; // LayoutImage; null = none
    bool drawn_ = false;
    int32_t highlightIndex_ = -1;
    LayoutGeometry geometry_;
    ImageLimits limits_;
    bool limitsProbed_ = false;
};

} // namespace sw::gui

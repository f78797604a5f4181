#include "view/LayoutPane.h"

#include "view/BitmapProbe.h"
#include "view/LayoutImageView.h"
#include "view/LayoutPainter.h"

#include <QCoreApplication>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>

#include <algorithm>
#include <cstdint>
#include <exception>

namespace sw::gui {

LayoutPane::LayoutPane(QScrollArea* scrollBox, QObject* parent)
    : QObject(parent), scrollBox_(scrollBox) {}

const QImage* LayoutPane::Image() const {
    if (view_ == nullptr) {
        return nullptr;
    }
    if (!image_) {
        const ImageSize size{static_cast<int32_t>(geometry_.ImageWidth),
                             static_cast<int32_t>(geometry_.ImageHeight)};
        image_ = RenderImage(grid_ != nullptr ? DeviceRatioFor(size, *grid_) : 1.0);
    }
    return &*image_;
}

QImage LayoutPane::RenderImage(double ratio) const {
    QImage image = CreateLayoutImage(static_cast<int32_t>(geometry_.ImageWidth),
                                     static_cast<int32_t>(geometry_.ImageHeight), ratio);
    if (image.isNull() || !drawn_ || feature_ == nullptr || grid_ == nullptr) {
        return image;
    }
    PaintLayout(image, settings_, *feature_, *grid_, geometry_);
    if (highlightIndex_ > -1) {
        DrawHighlight(image, HighlightRect(geometry_, grid_->GridCols, highlightIndex_));
    }
    return image;
}

void LayoutPane::DrawFrame(QImage& frame, QPointF origin, double scale,
                           const PaintControl& ctl) const {
    LayoutCanvas c(frame, origin, scale);
    // The blank image's frame, then the layout: the pixels of the picture.
    c.SetPenColor(Qt::black);
    c.SetBrushSolid(Qt::white);
    const auto clampInt = [](int64_t v) {
        return static_cast<int>(std::min<int64_t>(v, INT32_MAX));
    };
    c.Rectangle(0, 0, clampInt(geometry_.ImageWidth), clampInt(geometry_.ImageHeight));
    if (!drawn_ || feature_ == nullptr || grid_ == nullptr) {
        return;
    }
    const QRectF area(origin, QSizeF(frame.size()) / (frame.devicePixelRatio() * scale));
    PaintLayoutOn(c, settings_, *feature_, *grid_, geometry_, ctl, area.toAlignedRect());
}

double LayoutPane::FrameDensity(const QRectF& layoutArea, double ratio) const {
    if (!(ratio > 1.0)) {
        // A reduced view whose cells are still outlined is drawn at one pixel
        // per layout pixel, written straight into the frame, and reduced when
        // shown: through the painter its dotted cells would cost some tenfold.
        const double cell = std::min(geometry_.CellWidth, geometry_.CellHeight) * ratio;
        return ratio < 1.0 && cell >= MinOutlinedCellPixels ? 1.0 : ratio;
    }
    // As for the whole image: many cells on a high-density screen are drawn
    // one pixel per layout pixel (and enlarged), which keeps a frame quick.
    const double cells = layoutArea.width() / std::max(geometry_.CellWidth, 1) *
                         layoutArea.height() / std::max(geometry_.CellHeight, 1);
    return cells <= HighDensityCellLimit ? ratio : 1.0;
}

double LayoutPane::Scale() const {
    return view_ != nullptr ? view_->Scale() : 1.0;
}

double LayoutPane::WholeScale() const {
    const QSize client = scrollBox_->maximumViewportSize();
    if (geometry_.ImageWidth <= 0 || geometry_.ImageHeight <= 0) {
        return 1.0;
    }
    // A hair under the exact ratio, so the rounded-up widget fits too.
    const double scale = std::min(static_cast<double>(client.width()) / geometry_.ImageWidth,
                                  static_cast<double>(client.height()) / geometry_.ImageHeight);
    return std::clamp(scale * (1.0 - 1e-9), MinViewScale, 1.0);
}

void LayoutPane::Rescale(double scale, QPointF anchor, QPoint at) {
    if (view_ == nullptr) {
        return;
    }
    view_->Rescale(std::clamp(scale, MinViewScale, 1.0));
    ScrollTo(anchor.toPoint(), at);
}

void LayoutPane::SetLimits(const ImageLimits& limits) {
    limits_ = limits;
    limitsProbed_ = true;
}

void LayoutPane::ProbeLimits(const QWidget& window) {
    constexpr int ProbeExtentCm = 300;
    if (limitsProbed_) {
        return;
    }
    const QScreen* sc = window.screen();
    const int depth = sc != nullptr ? sc->depth() : 32;
    SetLimits(GetMAxResource(depth > 0 ? depth : 32, window.logicalDpiX(), ProbeExtentCm));
}

void LayoutPane::Drop() {
    if (view_ != nullptr) {
        QWidget* old = scrollBox_->takeWidget();
        old->hide();
        old->deleteLater(); // it may be the widget whose handler is running
        view_ = nullptr;
    }
    drawn_ = false;
    highlightIndex_ = -1;
    image_.reset();
    feature_ = nullptr;
}

LayoutPane::Created LayoutPane::Create(const Settings& s, const SheetGrid& g, bool fit,
                                       const LayoutGeometry* before) {
    // The frame on screen now, to be shown where it lies in the new layout.
    QImage lastFrame;
    QRectF lastRect;
    double lastMs = 0;
    if (view_ != nullptr && before != nullptr && !view_->Frame().isNull()) {
        lastFrame = view_->Frame();
        const QRect r = view_->FrameRect();
        const double scale = view_->Scale();
        lastRect = QRectF(QPointF(r.topLeft()) / scale, QSizeF(r.size()) / scale);
        lastMs = view_->LastFrameMs();
    }
    Drop();
    Settings plan = s;
    ImageSize size;
    bool possible = false;
    try {
        if (fit) {
            const QSize client = scrollBox_->maximumViewportSize();
            possible = FitZoom(plan, g, limits_, client.width(), client.height()).ImagePossible &&
                       PlanImage(plan, g, limits_, size);
        } else {
            possible = ImageSizePossible(plan, g, limits_, size);
        }
    } catch (const std::exception&) {
        possible = false;
    }
    const Created refused{false, plan.SheetPixelHeight};
    if (!possible || size.Width <= 0 || size.Height <= 0) {
        return refused;
    }
    try {
        geometry_ = PlanLayout(plan, g.GridCols, g.GridRows);
        ++plans_;
    } catch (const std::exception&) {
        return refused;
    }
    settings_ = plan;
    grid_ = &g;
    feature_ = nullptr;
    image_.reset();
    auto* view = new LayoutImageView(QSize(size.Width, size.Height), *this);
    if (!lastFrame.isNull()) {
        const QRect r = lastRect.toAlignedRect();
        const PixelPos a = SamePosition(*before, geometry_, r.left(), r.top());
        const PixelPos b = SamePosition(*before, geometry_, r.right() + 1, r.bottom() + 1);
        view->ShowMeanwhile(lastFrame,
                            QRectF(QPointF(static_cast<double>(a.X), static_cast<double>(a.Y)),
                                   QPointF(static_cast<double>(b.X), static_cast<double>(b.Y))),
                            lastMs);
    }
    ShowView(view);
    // A fitted layout that is larger than the window at the smallest zoom is
    // shown reduced, whole.
    if (fit) {
        const double whole = WholeScale();
        if (whole < 1.0) {
            view_->Rescale(whole);
        }
    }
    // A large layout is shown around its centre; the scroll bars clamp the values.
    const QSize client = scrollBox_->viewport()->size();
    scrollBox_->verticalScrollBar()->setValue(view_->height() / 2 - client.height() / 2);
    scrollBox_->horizontalScrollBar()->setValue(view_->width() / 2 - client.width() / 2);
    return Created{true, plan.SheetPixelHeight};
}

void LayoutPane::ShowView(LayoutImageView* view) {
    view_ = view;
    connect(view_, &LayoutImageView::PointerMoved, this, &LayoutPane::PointerMoved);
    connect(view_, &LayoutImageView::PointerPressed, this, &LayoutPane::PointerPressed);
    connect(view_, &LayoutImageView::WheelZoom, this, &LayoutPane::WheelZoom);
    scrollBox_->setWidget(view_);
}

void LayoutPane::ScrollTo(QPoint image, QPoint viewport) {
    if (view_ == nullptr) {
        return;
    }
    // The scroll area lays its widget out lazily; the ranges must be current.
    scrollBox_->widget()->adjustSize();
    QCoreApplication::sendPostedEvents(scrollBox_, QEvent::LayoutRequest);
    const QPoint at = view_->ToWidget(QPointF(image));
    scrollBox_->horizontalScrollBar()->setValue(at.x() - viewport.x());
    scrollBox_->verticalScrollBar()->setValue(at.y() - viewport.y());
}

QPoint LayoutPane::ViewportPos(QPoint image) const {
    if (view_ == nullptr) {
        return image;
    }
    return view_->mapTo(scrollBox_->viewport(), view_->ToWidget(QPointF(image)));
}

double LayoutPane::DeviceRatioFor(const ImageSize& size, const SheetGrid& g) const {
    const double ratio = scrollBox_->devicePixelRatioF();
    if (!(ratio > 1.0)) {
        return 1.0;
    }
    // Drawn at the screen's density only while that stays a moderate image of a
    // moderate grid: a scaled image is drawn through the painter, cell by cell,
    // at some 7 microseconds a cell, where one pixel per layout pixel is written
    // straight into the image. A zoomed-out layout of a huge grid is drawn once
    // per layout pixel, which the platform's bitmap limit asks for too.
    const double devicePixels = static_cast<double>(size.Width) * size.Height * ratio * ratio;
    const double cells =
        (static_cast<double>(g.GridCols) + 2) * (static_cast<double>(g.GridRows) + 2);
    const bool withinProbe =
        !limitsProbed_ || devicePixels * static_cast<double>(limits_.ScreenBitDepth) <
                              static_cast<double>(limits_.MaxBitmapSize);
    return withinProbe && devicePixels <= HighDensityPixelLimit && cells <= HighDensityCellLimit
               ? ratio
               : 1.0;
}

QImage LayoutPane::Picture() const {
    if (view_ == nullptr) {
        return {};
    }
    const QImage* shown = Image();
    if (shown->devicePixelRatio() == 1.0 || !drawn_) {
        return *shown;
    }
    // The same layout at one device pixel per layout pixel, with the highlight
    // where the window shows one, as a picture at that density holds it.
    return RenderImage(1.0);
}

std::optional<int32_t> LayoutPane::Paint(const Settings& s, const Feature& f, const SheetGrid& g,
                                         const PaintControl& ctl) {
    if (drawn_ || view_ == nullptr) {
        return std::nullopt;
    }
    drawn_ = true; // a failing drawing is not retried on every paint
    settings_ = s;
    feature_ = &f;
    grid_ = &g;
    // The geometry planned with the layout serves the drawing, every frame,
    // the readout and the picture: one plan per layout.
    image_.reset();
    highlightIndex_ = -1;
    view_->SetHighlight(std::nullopt);
    try {
        view_->Invalidate();
        view_->DrawVisible(ctl);
        return CountInSheets(g);
    } catch (const PaintCancelled&) {
        // A half-drawn layout is never shown.
        Drop();
        throw;
    }
}

std::optional<PointerReading> LayoutPane::Move(const Settings& s, const SheetGrid& g, int x,
                                               int y) {
    if (view_ == nullptr) {
        return std::nullopt;
    }
    PointerReading r;
    try {
        r = ReadLayoutPointer(s, g, geometry_, x, y);
    } catch (const std::exception&) {
        return std::nullopt; // a position no layout holds; the readout keeps its last texts
    }
    // Cells are read out only from a drawn layout: a blank image shows no sheets.
    if (!drawn_ && r.Place == PointerPlace::Ring) {
        r.Panel0.clear();
        r.Panel1.clear();
    }
    if (!drawn_ || r.Index < 0) {
        r.Index = -1;
        return r;
    }
    // The picture, when one was drawn, keeps the highlight as the screen shows it.
    if (image_) {
        if (highlightIndex_ > -1) {
            DrawHighlight(*image_, HighlightRect(geometry_, g.GridCols, highlightIndex_));
        }
        DrawHighlight(*image_, HighlightRect(geometry_, g.GridCols, r.Index));
    }
    highlightIndex_ = r.Index;
    view_->SetHighlight(HighlightRect(geometry_, g.GridCols, r.Index));
    return r;
}

} // namespace sw::gui

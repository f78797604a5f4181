#include "view/LayoutPane.h"

#include "view/BitmapProbe.h"
#include "view/BusyNotice.h"
#include "view/LayoutImageView.h"
#include "view/LayoutPainter.h"

#include <QCoreApplication>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>

#include <exception>

namespace sw::gui {

LayoutPane::LayoutPane(QScrollArea* scrollBox, QObject* parent)
    : QObject(parent), scrollBox_(scrollBox) {}

const QImage* LayoutPane::Image() const {
    return view_ != nullptr ? &view_->Image() : nullptr;
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
}

LayoutPane::Created LayoutPane::Create(const Settings& s, const SheetGrid& g, bool fit) {
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
    if (!possible) {
        return refused;
    }
    QImage image;
    try {
        std::optional<BusyNotice> busy;
        if (DrawingIsSlow(size, 0)) {
            busy.emplace(busyPanel_, CreatingImageText());
        }
        image = CreateLayoutImage(size.Width, size.Height, DeviceRatioFor(size, g));
        geometry_ = PlanLayout(plan, g.GridCols, g.GridRows);
    } catch (const std::exception&) {
        image = QImage();
    }
    if (image.isNull()) {
        return refused;
    }
    view_ = new LayoutImageView(std::move(image));
    connect(view_, &LayoutImageView::PointerMoved, this, &LayoutPane::PointerMoved);
    connect(view_, &LayoutImageView::PointerPressed, this, &LayoutPane::PointerPressed);
    connect(view_, &LayoutImageView::WheelZoom, this, &LayoutPane::WheelZoom);
    scrollBox_->setWidget(view_);
    // A large image is shown around its centre; the scroll bars clamp the values.
    const QSize client = scrollBox_->viewport()->size();
    scrollBox_->verticalScrollBar()->setValue(size.Height / 2 - client.height() / 2);
    scrollBox_->horizontalScrollBar()->setValue(size.Width / 2 - client.width() / 2);
    return Created{true, plan.SheetPixelHeight};
}

void LayoutPane::ScrollTo(QPoint image, QPoint viewport) {
    if (view_ == nullptr) {
        return;
    }
    // The scroll area lays its widget out lazily; the ranges must be current.
    scrollBox_->widget()->adjustSize();
    QCoreApplication::sendPostedEvents(scrollBox_, QEvent::LayoutRequest);
    scrollBox_->horizontalScrollBar()->setValue(image.x() - viewport.x());
    scrollBox_->verticalScrollBar()->setValue(image.y() - viewport.y());
}

QPoint LayoutPane::ViewportPos(QPoint image) const {
    if (view_ == nullptr) {
        return image;
    }
    return view_->mapTo(scrollBox_->viewport(), image);
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

QImage LayoutPane::Picture(const Settings& s, const Feature& f, const SheetGrid& g) const {
    if (view_ == nullptr) {
        return {};
    }
    const QImage& shown = view_->Image();
    if (shown.devicePixelRatio() == 1.0 || !drawn_) {
        return shown;
    }
    // The same layout at one device pixel per layout pixel, with the highlight
    // where the window shows one, as a picture at that density holds it.
    QImage picture = CreateLayoutImage(static_cast<int32_t>(geometry_.ImageWidth),
                                       static_cast<int32_t>(geometry_.ImageHeight));
    if (picture.isNull()) {
        return picture;
    }
    PaintLayout(picture, s, f, g, geometry_);
    if (highlightIndex_ > -1 && highlightIndex_ < static_cast<int32_t>(g.SheetList.size())) {
        DrawHighlight(
            picture,
            HighlightRect(geometry_, g.SheetList[static_cast<std::size_t>(highlightIndex_)]));
    }
    return picture;
}

std::optional<int32_t> LayoutPane::Paint(const Settings& s, Feature& f, SheetGrid& g,
                                         const PaintControl& ctl) {
    if (drawn_ || view_ == nullptr) {
        return std::nullopt;
    }
    drawn_ = true; // a failing drawing is not retried on every paint
    geometry_ = PlaceLayout(s, f, g);
    try {
        const int32_t total = PaintLayout(view_->Image(), s, f, g, geometry_, ctl);
        highlightIndex_ = -1;
        view_->ImageChanged();
        return total;
    } catch (const PaintCancelled&) {
        // A half-drawn image is never shown as a layout.
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
    const auto& list = g.SheetList;
    QImage& image = view_->Image();
    // Only the two cells change; the window repaints just them.
    auto shown = [&](const HighlightBox& c) {
        DrawHighlight(image, c);
        view_->ImageChanged(QRect(c.Left, c.Top, c.Right - c.Left, c.Bottom - c.Top));
    };
    if (highlightIndex_ > -1 && highlightIndex_ < static_cast<int32_t>(list.size())) {
        shown(HighlightRect(geometry_, list[static_cast<std::size_t>(highlightIndex_)]));
    }
    shown(HighlightRect(geometry_, list[static_cast<std::size_t>(r.Index)]));
    highlightIndex_ = r.Index;
    return r;
}

} // namespace sw::gui

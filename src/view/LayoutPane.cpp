#include "view/LayoutPane.h"

#include "view/LayoutImageView.h"
#include "view/LayoutPainter.h"

#include <QScrollArea>
#include <QScrollBar>

#include <exception>

namespace sw {

LayoutPane::LayoutPane(QScrollArea* scrollBox, QObject* parent)
    : QObject(parent), scrollBox_(scrollBox) {}

const QImage* LayoutPane::Image() const {
    return view_ != nullptr ? &view_->Image() : nullptr;
}

void LayoutPane::SetLimits(const ImageLimits& limits) {
    limits_ = limits;
    limitsProbed_ = true;
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

bool LayoutPane::Create(Settings& s, const SheetGrid& g) {
    Drop();
    ImageSize size;
    QImage image;
    try {
        if (ImageSizePossible(s, g, limits_, size)) {
            image = CreateLayoutImage(size.Width, size.Height);
            geometry_ = PlanLayout(s, g.GridCols, g.GridRows);
        }
    } catch (const std::exception&) {
        image = QImage();
    }
    if (image.isNull()) {
        return false;
    }
    view_ = new LayoutImageView(std::move(image));
    connect(view_, &LayoutImageView::PointerMoved, this, &LayoutPane::PointerMoved);
    connect(view_, &LayoutImageView::PointerPressed, this, &LayoutPane::PointerPressed);
    scrollBox_->setWidget(view_);
    // A large image is shown around its centre; the scroll bars clamp the values.
    const QSize client = scrollBox_->viewport()->size();
    scrollBox_->verticalScrollBar()->setValue(size.Height / 2 - client.height() / 2);
    scrollBox_->horizontalScrollBar()->setValue(size.Width / 2 - client.width() / 2);
    return true;
}

std::optional<int32_t> LayoutPane::FitZoomFor(const Settings& s, const SheetGrid& g,
                                              bool& fits) const {
    const QSize client = scrollBox_->maximumViewportSize();
    Settings trial = s;
    FitResult fit;
    try {
        fit = FitZoom(trial, g, limits_, client.width(), client.height());
    } catch (const std::exception&) {
        fit = FitResult{};
    }
    fits = fit.Fits;
    if (trial.SheetPixelHeight != s.SheetPixelHeight || !fit.ImagePossible) {
        return trial.SheetPixelHeight;
    }
    return std::nullopt;
}

std::optional<int32_t> LayoutPane::Paint(const Settings& s, Feature& f, SheetGrid& g) {
    if (drawn_ || view_ == nullptr) {
        return std::nullopt;
    }
    drawn_ = true; // a failing drawing is not retried on every paint
    geometry_ = PlaceLayout(s, f, g);
    const int32_t total = PaintLayout(view_->Image(), s, f, g, geometry_);
    highlightIndex_ = -1;
    view_->ImageChanged();
    return total;
}

std::optional<PointerReading> LayoutPane::Move(const Settings& s, const SheetGrid& g, int x,
                                               int y) {
    if (view_ == nullptr) {
        return std::nullopt;
    }
    PointerReading r;
    try {
        r = ReadPointer(s, g, geometry_, x, y);
    } catch (const std::exception&) {
        return std::nullopt; // a position no layout holds; the readout keeps its last texts
    }
    // Cells are read out only from a drawn layout: a blank image shows no sheets.
    if (!drawn_ || r.Index < 0) {
        r.Index = -1;
        return r;
    }
    const auto& list = g.SheetList;
    QImage& image = view_->Image();
    if (highlightIndex_ > -1 && highlightIndex_ < static_cast<int32_t>(list.size())) {
        DrawHighlight(image,
                      HighlightRect(geometry_, list[static_cast<std::size_t>(highlightIndex_)]));
    }
    DrawHighlight(image, HighlightRect(geometry_, list[static_cast<std::size_t>(r.Index)]));
    highlightIndex_ = r.Index;
    view_->ImageChanged();
    return r;
}

} // namespace sw

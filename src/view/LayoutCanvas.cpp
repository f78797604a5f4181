#include "view/LayoutCanvas.h"
#include "gui/InterfaceFont.h"

#include <QPainterPath>
#include <QPolygon>
#include <QPolygonF>

#include <QFontMetrics>
#include <QPen>

#include <algorithm>
#include <cmath>

namespace sw::gui {

namespace {

// On a scaled image a line of one layout pixel's weight is centred on the
// middle of its layout pixel, where the fills put that pixel; at the painter's
// default it would straddle the pixel's edge, half a layout pixel off.
class StrokeOnPixels {
public:
    StrokeOnPixels(QPainter& p, bool scaled) : p_(scaled ? &p : nullptr) {
        if (p_ != nullptr) {
            p_->save();
            p_->translate(0.5, 0.5);
        }
    }
    ~StrokeOnPixels() {
        if (p_ != nullptr) {
            p_->restore();
        }
    }
    StrokeOnPixels(const StrokeOnPixels&) = delete;
    StrokeOnPixels& operator=(const StrokeOnPixels&) = delete;

private:
    QPainter* p_;
};

} // namespace

QFont LayoutFont() {
    QFont f;
    f.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Sans Serif")});
    f.setStyleHint(QFont::SansSerif);
    f.setStyleStrategy(QFont::NoAntialias);
    f.setWeight(QFont::Normal);
    f.setPointSize(8);
    return f;
}

LayoutCanvas::LayoutCanvas(QImage& image, Raster raster)
    : LayoutCanvas(image, QPointF(), 1.0, raster) {
    partOfLayout_ = false;
}

LayoutCanvas::LayoutCanvas(QImage& image, QPointF origin, double scale, Raster raster)
    : origin_(origin), scale_(scale), directAt_(origin.toPoint()), metrics_(&image),
      font_(LayoutFont()) {
    // The pixels are taken before the painter begins, so that it and the direct
    // writes work on the same memory. A scaled image is left to the painter,
    // which maps the layout's pixels onto the device's.
    if (raster == Raster::Direct && image.format() == QImage::Format_RGB32 &&
        image.devicePixelRatio() == 1.0 && !image.isNull() && QPointF(directAt_) == origin &&
        scale == 1.0) {
        bits_ = reinterpret_cast<uint32_t*>(image.bits());
        stride_ = image.bytesPerLine() / 4;
        imageWidth_ = image.width();
        imageHeight_ = image.height();
    }
    // On a scaled image a line keeps the weight of one layout pixel, as the
    // frames and fills do, rather than thinning to one device pixel.
    // A reduced image keeps lines of one device pixel, which is all it has.
    if (image.devicePixelRatio() > 1.0) {
        penWidth_ = 1.0;
    }
    own_ = std::make_unique<QPainter>(&image);
    painter_ = own_.get();
    painter_->scale(scale_, scale_);
    painter_->translate(-origin_);
    painter_->setRenderHint(QPainter::Antialiasing, false);
    painter_->setRenderHint(QPainter::TextAntialiasing, false);
    painter_->setCompositionMode(QPainter::CompositionMode_Source);
}

LayoutCanvas::LayoutCanvas(QPainter& painter)
    : painter_(&painter), metrics_(&MeasuringDevice()), font_(LayoutFont()) {}

void LayoutCanvas::SetPenMode(PenMode mode) {
    if (!own_) {
        return; // raster operations exist on the image only
    }
    copyMode_ = mode == PenMode::Copy;
    painter_->setCompositionMode(copyMode_ ? QPainter::CompositionMode_Source
                                           : QPainter::RasterOp_NotSourceXorDestination);
}

void LayoutCanvas::SetFontSize(int points) {
    fontPoints_ = points;
    if (points > 0 && font_.pointSize() != points) {
        font_.setPointSize(points);
        metricsCache_.reset();
        measuredValid_ = false;
    }
}

void LayoutCanvas::SetFontBold(bool bold) {
    const QFont::Weight weight = bold ? QFont::Bold : QFont::Normal;
    if (font_.weight() != weight) {
        font_.setWeight(weight);
        metricsCache_.reset();
        measuredValid_ = false;
    }
}

bool LayoutCanvas::TextLegible() const {
    if (fontPoints_ <= 0) {
        return false;
    }
    if (!own_) {
        return true;
    }
    // Points at the image's 96 pixels per inch, times the device pixels per
    // layout pixel.
    return fontPoints_ * 96.0 / 72.0 * DevicePixelsPerLayoutPixel() >= MinLegiblePixels;
}

double LayoutCanvas::DevicePixelsPerLayoutPixel() const {
    if (own_) {
        return painter_->device()->devicePixelRatio() * scale_;
    }
    const QTransform& t = painter_->worldTransform();
    return std::max(std::abs(t.m11()), std::abs(t.m22()));
}

const QFontMetrics& LayoutCanvas::Metrics() const {
    if (!metricsCache_) {
        metricsCache_.emplace(font_, metrics_);
    }
    return *metricsCache_;
}

void LayoutCanvas::FillSpan(int left, int top, int width, int height, const QColor& c) {
    if (width <= 0 || height <= 0) {
        return;
    }
    if (bits_ != nullptr && copyMode_) {
        DirectFill(left - directAt_.x(), top - directAt_.y(), width, height, c);
        return;
    }
    if (scale_ < 1.0) {
        // A reduced layout keeps its frame lines: a span thinner than a pixel
        // of the image is drawn one pixel wide instead of vanishing.
        const QTransform layout = painter_->worldTransform();
        const QRectF mapped = layout.mapRect(QRectF(left, top, width, height));
        const double pixel = 1.0 / painter_->device()->devicePixelRatio();
        painter_->setWorldTransform(QTransform());
        painter_->fillRect(QRectF(mapped.left(), mapped.top(), std::max(mapped.width(), pixel),
                                  std::max(mapped.height(), pixel)),
                           c);
        painter_->setWorldTransform(layout);
        return;
    }
    painter_->fillRect(QRect(left, top, width, height), c);
}

void LayoutCanvas::DirectFill(int left, int top, int width, int height, const QColor& c) {
    // Clipped to the image, as the painter clips.
    const int x0 = std::max(left, 0);
    const int y0 = std::max(top, 0);
    const int x1 = std::min(left + width, imageWidth_);
    const int y1 = std::min(top + height, imageHeight_);
    if (x0 >= x1 || y0 >= y1) {
        return;
    }
    const uint32_t pixel = 0xff000000u | (c.rgb() & 0xffffffu);
    for (int y = y0; y < y1; ++y) {
        uint32_t* row = bits_ + y * stride_;
        std::fill(row + x0, row + x1, pixel);
    }
}

const std::vector<QPoint>& LayoutCanvas::DotPattern(int width, int height) {
    if (width == dotWidth_ && height == dotHeight_) {
        return dots_;
    }
    // Drawn by the painter with the pen the painter's own rectangles use, on a
    // scratch image with room around it, and read back.
    constexpr int Pad = 2;
    QImage scratch(width + 2 * Pad, height + 2 * Pad, QImage::Format_RGB32);
    scratch.fill(0u);
    {
        QPainter p(&scratch);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.setPen(QPen(Qt::white, 0, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRect(Pad, Pad, width - 1, height - 1));
    }
    dots_.clear();
    for (int y = 0; y < scratch.height(); ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(scratch.constScanLine(y));
        for (int x = 0; x < scratch.width(); ++x) {
            if ((row[x] & 0xffffffu) != 0) {
                dots_.emplace_back(x - Pad, y - Pad);
            }
        }
    }
    dotWidth_ = width;
    dotHeight_ = height;
    return dots_;
}

bool LayoutCanvas::DirectRectangle(int left, int top, int right, int bottom) {
    if (bits_ == nullptr || !copyMode_) {
        return false;
    }
    // From here on in the image's pixels.
    left -= directAt_.x();
    right -= directAt_.x();
    top -= directAt_.y();
    bottom -= directAt_.y();
    const int w = right - left;
    const int h = bottom - top;
    if (penDotted_) {
        // The dots of the whole rectangle, clipped one by one: on a frame of
        // the screen a rectangle cut by the frame's edge keeps the dots it has
        // in the whole picture, where the painter would restart the pattern.
        if (brushSolid_) {
            DirectFill(left + 1, top + 1, w - 2, h - 2, brushColor_);
        }
        const uint32_t pixel = 0xff000000u | (penColor_.rgb() & 0xffffffu);
        const bool inside = left >= 0 && top >= 0 && right <= imageWidth_ && bottom <= imageHeight_;
        if (!inside && !partOfLayout_) {
            return false; // the painter's dots, as a whole picture has always had them
        }
        for (const QPoint& d : DotPattern(w, h)) {
            const int x = left + d.x();
            const int y = top + d.y();
            if (inside || (x >= 0 && y >= 0 && x < imageWidth_ && y < imageHeight_)) {
                bits_[static_cast<qsizetype>(y) * stride_ + x] = pixel;
            }
        }
        return true;
    }
    if (brushSolid_) {
        DirectFill(left + 1, top + 1, w - 2, h - 2, brushColor_);
    }
    DirectFill(left, top, w, 1, penColor_);
    if (h > 1) {
        DirectFill(left, bottom - 1, w, 1, penColor_);
    }
    DirectFill(left, top + 1, 1, h - 2, penColor_);
    if (w > 1) {
        DirectFill(right - 1, top + 1, 1, h - 2, penColor_);
    }
    return true;
}

void LayoutCanvas::Rectangle(int left, int top, int right, int bottom) {
    const int w = right - left; // covered columns left .. right - 1
    const int h = bottom - top;
    if (w <= 0 || h <= 0) {
        return;
    }
    if (DirectRectangle(left, top, right, bottom)) {
        return;
    }
    if (brushSolid_) {
        FillSpan(left + 1, top + 1, w - 2, h - 2, brushColor_);
    }
    if (penDotted_) {
        QPen pen(penColor_, penWidth_, Qt::DotLine);
        painter_->setPen(pen);
        painter_->setBrush(Qt::NoBrush);
        const StrokeOnPixels onPixels(*painter_, penWidth_ > 0);
        painter_->drawRect(QRect(left, top, w - 1, h - 1));
        return;
    }
    // The frame as four spans that never overlap, so a not-xor frame drawn
    // twice restores every pixel, corners included.
    FillSpan(left, top, w, 1, penColor_);
    if (h > 1) {
        FillSpan(left, bottom - 1, w, 1, penColor_);
    }
    FillSpan(left, top + 1, 1, h - 2, penColor_);
    if (w > 1) {
        FillSpan(right - 1, top + 1, 1, h - 2, penColor_);
    }
}

void LayoutCanvas::Ellipse(int left, int top, int right, int bottom) {
    if (right - left <= 0 || bottom - top <= 0) {
        return;
    }
    painter_->setPen(QPen(penColor_, penWidth_, penDotted_ ? Qt::DotLine : Qt::SolidLine));
    painter_->setBrush(brushSolid_ ? QBrush(brushColor_) : QBrush(Qt::NoBrush));
    const StrokeOnPixels onPixels(*painter_, penWidth_ > 0);
    painter_->drawEllipse(QRect(left, top, right - left - 1, bottom - top - 1));
}

void LayoutCanvas::Polygon(const QVector<QPoint>& points) {
    if (points.isEmpty()) {
        return;
    }
    painter_->setPen(QPen(penColor_, penWidth_, penDotted_ ? Qt::DotLine : Qt::SolidLine));
    painter_->setBrush(brushSolid_ ? QBrush(brushColor_) : QBrush(Qt::NoBrush));
    const StrokeOnPixels onPixels(*painter_, penWidth_ > 0);
    painter_->drawPolygon(points.constData(), static_cast<int>(points.size()), Qt::OddEvenFill);
}

void LayoutCanvas::PolygonRings(const QVector<QVector<QPoint>>& rings) {
    QPainterPath path;
    path.setFillRule(Qt::OddEvenFill);
    for (const QVector<QPoint>& ring : rings) {
        if (ring.isEmpty()) {
            continue;
        }
        path.addPolygon(QPolygonF(QPolygon(ring)));
        path.closeSubpath();
    }
    painter_->setPen(QPen(penColor_, penWidth_, penDotted_ ? Qt::DotLine : Qt::SolidLine));
    painter_->setBrush(brushSolid_ ? QBrush(brushColor_) : QBrush(Qt::NoBrush));
    const StrokeOnPixels onPixels(*painter_, penWidth_ > 0);
    painter_->drawPath(path);
}

void LayoutCanvas::LineTo(int x, int y) {
    painter_->setPen(QPen(penColor_, penWidth_, penDotted_ ? Qt::DotLine : Qt::SolidLine));
    const StrokeOnPixels onPixels(*painter_, penWidth_ > 0);
    painter_->drawLine(current_, QPoint(x, y));
    current_ = QPoint(x, y);
}

void LayoutCanvas::SetPixel(int x, int y, const QColor& c) {
    FillSpan(x, y, 1, 1, c);
}

int LayoutCanvas::TextWidth(const QString& text) const {
    if (fontPoints_ <= 0) {
        return 0;
    }
    // The drawing measures a text, then writes it: the second measure (for its
    // background) reuses the first instead of shaping the text again.
    if (!measuredValid_ || measuredText_ != text) {
        measuredText_ = text;
        measuredWidth_ = Metrics().horizontalAdvance(text);
        measuredValid_ = true;
    }
    return measuredWidth_;
}

int LayoutCanvas::TextHeight(const QString& text) const {
    if (fontPoints_ <= 0) {
        return 0;
    }
    (void)text; // the cell height of the font, as for any text of one line
    return Metrics().height();
}

void LayoutCanvas::TextOut(int x, int y, const QString& text) {
    if (fontPoints_ <= 0 || text.isEmpty()) {
        return;
    }
    const QFontMetrics& fm = Metrics();
    if (brushSolid_) {
        FillSpan(x, y, TextWidth(text), fm.height(), brushColor_);
    }
    painter_->setFont(font_);
    painter_->setPen(fontColor_);
    // Source-over for glyphs: only their own pixels change, the background stays.
    const auto mode = painter_->compositionMode();
    painter_->setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter_->drawText(QPoint(x, y + fm.ascent()), text);
    painter_->setCompositionMode(mode);
}

} // namespace sw::gui

#include "view/LayoutCanvas.h"
#include "view/InterfaceFont.h"

#include <QPainterPath>
#include <QPolygon>
#include <QPolygonF>

#include <QFontMetrics>
#include <QPen>

namespace sw {

QFont LayoutFont() {
    QFont f;
    f.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Sans Serif")});
    f.setStyleHint(QFont::SansSerif);
    f.setStyleStrategy(QFont::NoAntialias);
    f.setWeight(QFont::Normal);
    f.setPointSize(8);
    return f;
}

LayoutCanvas::LayoutCanvas(QImage& image)
    : own_(std::make_unique<QPainter>(&image)), painter_(own_.get()), metrics_(&image),
      font_(LayoutFont()) {
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
    painter_->setCompositionMode(mode == PenMode::NotXor
                                     ? QPainter::RasterOp_NotSourceXorDestination
                                     : QPainter::CompositionMode_Source);
}

void LayoutCanvas::SetFontSize(int points) {
    fontPoints_ = points;
    if (points > 0) {
        font_.setPointSize(points);
    }
}

void LayoutCanvas::SetFontBold(bool bold) {
    font_.setWeight(bold ? QFont::Bold : QFont::Normal);
}

void LayoutCanvas::FillSpan(int left, int top, int width, int height, const QColor& c) {
    if (width > 0 && height > 0) {
        painter_->fillRect(QRect(left, top, width, height), c);
    }
}

void LayoutCanvas::Rectangle(int left, int top, int right, int bottom) {
    const int w = right - left; // covered columns left .. right - 1
    const int h = bottom - top;
    if (w <= 0 || h <= 0) {
        return;
    }
    if (brushSolid_) {
        FillSpan(left + 1, top + 1, w - 2, h - 2, brushColor_);
    }
    if (penDotted_) {
        QPen pen(penColor_, 0, Qt::DotLine);
        painter_->setPen(pen);
        painter_->setBrush(Qt::NoBrush);
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
    painter_->setPen(QPen(penColor_, 0, penDotted_ ? Qt::DotLine : Qt::SolidLine));
    painter_->setBrush(brushSolid_ ? QBrush(brushColor_) : QBrush(Qt::NoBrush));
    painter_->drawEllipse(QRect(left, top, right - left - 1, bottom - top - 1));
}

void LayoutCanvas::Polygon(const QVector<QPoint>& points) {
    if (points.isEmpty()) {
        return;
    }
    painter_->setPen(QPen(penColor_, 0, penDotted_ ? Qt::DotLine : Qt::SolidLine));
    painter_->setBrush(brushSolid_ ? QBrush(brushColor_) : QBrush(Qt::NoBrush));
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
    painter_->setPen(QPen(penColor_, 0, penDotted_ ? Qt::DotLine : Qt::SolidLine));
    painter_->setBrush(brushSolid_ ? QBrush(brushColor_) : QBrush(Qt::NoBrush));
    painter_->drawPath(path);
}

void LayoutCanvas::LineTo(int x, int y) {
    painter_->setPen(QPen(penColor_, 0, penDotted_ ? Qt::DotLine : Qt::SolidLine));
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
    return QFontMetrics(font_, metrics_).horizontalAdvance(text);
}

int LayoutCanvas::TextHeight(const QString& text) const {
    if (fontPoints_ <= 0) {
        return 0;
    }
    (void)text; // the cell height of the font, as for any text of one line
    return QFontMetrics(font_, metrics_).height();
}

void LayoutCanvas::TextOut(int x, int y, const QString& text) {
    if (fontPoints_ <= 0 || text.isEmpty()) {
        return;
    }
    const QFontMetrics fm(font_, metrics_);
    if (brushSolid_) {
        FillSpan(x, y, fm.horizontalAdvance(text), fm.height(), brushColor_);
    }
    painter_->setFont(font_);
    painter_->setPen(fontColor_);
    // Source-over for glyphs: only their own pixels change, the background stays.
    const auto mode = painter_->compositionMode();
    painter_->setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter_->drawText(QPoint(x, y + fm.ascent()), text);
    painter_->setCompositionMode(mode);
}

} // namespace sw

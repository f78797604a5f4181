#include "view/LayoutImageView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace sw::gui {

namespace {

// 96 pixels per inch, as the layout's pictures, so font sizes give the same pixels.
constexpr int DotsPerMeter96 = 3780;

// Widget sizes stay within what the toolkit can lay out.
int WidgetExtent(double layoutPixels, double scale) {
    return static_cast<int>(std::clamp(std::ceil(layoutPixels * scale), 1.0, 16'000'000.0));
}

} // namespace

LayoutImageView::LayoutImageView(QSize layoutSize, const FrameSource& source, QWidget* parent)
    : QWidget(parent), layoutSize_(layoutSize), source_(source) {
    setObjectName(QStringLiteral("LayoutImage"));
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(layoutSize_);
}

QScrollArea* LayoutImageView::ScrollBox() const {
    QWidget* viewport = parentWidget();
    return viewport != nullptr ? qobject_cast<QScrollArea*>(viewport->parentWidget()) : nullptr;
}

void LayoutImageView::Rescale(double scale) {
    if (frameValid_ && !frame_.isNull()) {
        ShowMeanwhile(frame_,
                      QRectF(frameTarget_.topLeft() * (scale / scale_),
                             frameTarget_.size() * (scale / scale_)),
                      lastFrameMs_);
    }
    scale_ = scale;
    setFixedSize(WidgetExtent(layoutSize_.width(), scale),
                 WidgetExtent(layoutSize_.height(), scale));
    Invalidate();
}

void LayoutImageView::ShowMeanwhile(const QImage& frame, const QRectF& widgetRect,
                                    double lastFrameMs) {
    previous_ = frame;
    previousRect_ = widgetRect;
    lastFrameMs_ = std::max(lastFrameMs_, lastFrameMs);
}

void LayoutImageView::Invalidate() {
    frameValid_ = false;
    update();
}

QRect LayoutImageView::VisibleRect() const {
    const QWidget* viewport = parentWidget();
    if (viewport == nullptr) {
        return rect();
    }
    return QRect(mapFrom(viewport, QPoint(0, 0)), viewport->size()) & rect();
}

QRect LayoutImageView::FrameFor(const QRect& visible) const {
    // A border of a quarter of the view on every side: small scrolls and the
    // drag's steps are then copies of pixels already drawn.
    const int dx = visible.width() / 4;
    const int dy = visible.height() / 4;
    return visible.adjusted(-dx, -dy, dx, dy) & rect();
}

void LayoutImageView::DrawVisible(const PaintControl& ctl) {
    QElapsedTimer timer;
    timer.start();
    const QRect widgetRect = FrameFor(VisibleRect());
    if (widgetRect.isEmpty()) {
        frame_ = QImage();
        frameRect_ = widgetRect;
        frameTarget_ = QRectF(widgetRect);
        frameValid_ = true;
        return;
    }
    const QRectF layoutArea(QPointF(widgetRect.topLeft()) / scale_,
                            QSizeF(widgetRect.size()) / scale_);
    // Device pixels of the frame per layout pixel: the screen's times the
    // scale, or what the source prefers (see FrameDensity).
    const double density = source_.FrameDensity(layoutArea, devicePixelRatioF() * scale_);
    const double imageRatio = std::max(density, 1.0);
    // At whole layout pixels the frame is written straight into its pixels
    // (LayoutCanvas's direct writes), which needs a whole-pixel origin.
    QRectF area = layoutArea;
    if (density / imageRatio == 1.0) {
        const QPointF from(std::floor(area.left()), std::floor(area.top()));
        const QPointF to(std::ceil(area.right()), std::ceil(area.bottom()));
        area = QRectF(from, to);
    }
    QImage frame(static_cast<int>(std::ceil(area.width() * density)),
                 static_cast<int>(std::ceil(area.height() * density)), QImage::Format_RGB32);
    if (frame.isNull()) {
        return;
    }
    frame.setDotsPerMeterX(DotsPerMeter96);
    frame.setDotsPerMeterY(DotsPerMeter96);
    frame.setDevicePixelRatio(imageRatio);
    frame.fill(Qt::white);
    source_.DrawFrame(frame, area.topLeft(), density / imageRatio, ctl);
    frame_ = std::move(frame);
    frameRect_ = widgetRect;
    frameTarget_ = QRectF(area.topLeft() * scale_, area.size() * scale_);
    frameValid_ = true;
    previous_ = QImage();
    ++framesDrawn_;
    lastFrameMs_ = static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

void LayoutImageView::SetHighlight(std::optional<HighlightBox> box) {
    auto area = [this](const HighlightBox& b) {
        return QRectF(b.Left * scale_, b.Top * scale_, (b.Right - b.Left) * scale_,
                      (b.Bottom - b.Top) * scale_)
            .toAlignedRect()
            .adjusted(-1, -1, 1, 1);
    };
    if (highlight_) {
        update(area(*highlight_));
    }
    highlight_ = box;
    if (highlight_) {
        update(area(*highlight_));
    }
}

void LayoutImageView::DrawHighlight(QPainter& p) const {
    if (!highlight_) {
        return;
    }
    // As the picture's highlight, at the zoom of the screen.
    p.save();
    p.scale(scale_, scale_);
    PaintHighlightBox(p, *highlight_);
    p.restore();
}

void LayoutImageView::paintEvent(QPaintEvent* event) {
    const QRect wanted = event->rect();
    const bool covered = frameValid_ && frameRect_.contains(wanted & VisibleRect());
    if (!covered) {
        if (!previous_.isNull() && lastFrameMs_ > FrameBudgetMs) {
            // The previous frame, scaled, until the new one is drawn.
            QPainter p(this);
            p.fillRect(wanted, Qt::white);
            p.drawImage(previousRect_, previous_, QRectF(previous_.rect()));
            if (!redrawQueued_) {
                redrawQueued_ = true;
                QTimer::singleShot(0, this, [this] {
                    redrawQueued_ = false;
                    DrawVisible();
                    update();
                });
            }
            return;
        }
        DrawVisible();
    }
    QPainter p(this);
    if (frameValid_ && !frame_.isNull()) {
        // A frame drawn finer than the screen (a reduced view of outlined
        // cells) is reduced smoothly, so no frame line drops out.
        const bool finer = frame_.width() > frameTarget_.width() * devicePixelRatioF() + 1;
        p.setRenderHint(QPainter::SmoothPixmapTransform, finer);
        p.drawImage(frameTarget_, frame_, QRectF(frame_.rect()));
        p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    }
    DrawHighlight(p);
}

void LayoutImageView::PanBy(QPoint delta) {
    if (QScrollArea* box = ScrollBox()) {
        box->horizontalScrollBar()->setValue(box->horizontalScrollBar()->value() + delta.x());
        box->verticalScrollBar()->setValue(box->verticalScrollBar()->value() + delta.y());
    }
}

void LayoutImageView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (pressAt_ && (event->buttons() & (Qt::LeftButton | Qt::RightButton))) {
        // Panning: the layout follows the pointer. The widget moves under it,
        // so the distance is taken on the screen.
        const QPoint global = event->globalPosition().toPoint();
        if (!dragging_ &&
            (global - *pressAt_).manhattanLength() >= QApplication::startDragDistance()) {
            dragging_ = true;
            setCursor(Qt::ClosedHandCursor);
        }
        if (dragging_) {
            PanBy(*pressAt_ - global);
            pressAt_ = global;
            return;
        }
    }
    if (rect().contains(pos)) {
        const QPointF at = ToLayout(event->position());
        emit PointerMoved(static_cast<int>(at.x()), static_cast<int>(at.y()));
    }
}

void LayoutImageView::mousePressEvent(QMouseEvent* event) {
    pressAt_ = event->globalPosition().toPoint();
    dragging_ = false;
}

void LayoutImageView::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressAt_.has_value() && !dragging_;
    pressAt_.reset();
    if (dragging_) {
        dragging_ = false;
        unsetCursor();
    }
    if (click) {
        const QPointF at = ToLayout(event->position());
        emit PointerPressed(event->button(), static_cast<int>(at.x()), static_cast<int>(at.y()));
    }
}

void LayoutImageView::wheelEvent(QWheelEvent* event) {
    // A notch is 15 degrees, 120 eighths; touchpads send fractions of it, or
    // only pixels, taken here as eighths.
    constexpr int Notch = 120;
    QPoint delta = event->angleDelta();
    if (delta.isNull()) {
        delta = event->pixelDelta();
    }
    event->accept();
    const Qt::KeyboardModifiers mods = event->modifiers();
    // Shift and Alt keep the wheel for scrolling: Shift sideways, Alt as the
    // wheel turns; a sideways swipe always scrolls sideways.
    if (mods & (Qt::ShiftModifier | Qt::AltModifier)) {
        const bool sideways = (mods & Qt::ShiftModifier) != 0;
        ScrollByWheel(sideways ? QPoint(delta.x() != 0 ? delta.x() : delta.y(), 0) : delta);
        return;
    }
    if (delta.x() != 0) {
        ScrollByWheel(QPoint(delta.x(), 0));
    }
    wheelAngle_ += delta.y();
    const int steps = wheelAngle_ / Notch;
    wheelAngle_ -= steps * Notch;
    if (steps != 0) {
        const QPointF at = ToLayout(event->position());
        emit WheelZoom(steps, static_cast<int>(at.x()), static_cast<int>(at.y()));
    }
}

void LayoutImageView::ScrollByWheel(QPoint eighths) {
    // As the scroll box would: the system's lines a notch, a line being the
    // scroll bar's single step; turning away from the user goes up or left.
    QScrollArea* box = ScrollBox();
    if (box == nullptr || eighths.isNull()) {
        return;
    }
    const double lines = QApplication::wheelScrollLines() / 120.0;
    PanBy(QPoint(-static_cast<int>(
                     std::lround(eighths.x() * lines * box->horizontalScrollBar()->singleStep())),
                 -static_cast<int>(
                     std::lround(eighths.y() * lines * box->verticalScrollBar()->singleStep()))));
}

void LayoutImageView::keyPressEvent(QKeyEvent* event) {
    const QRect visible = VisibleRect();
    const QPointF centre = ToLayout(QPointF(visible.center()));
    const int stepX = std::max(visible.width() / 8, 1);
    const int stepY = std::max(visible.height() / 8, 1);
    switch (event->key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        emit WheelZoom(1, static_cast<int>(centre.x()), static_cast<int>(centre.y()));
        break;
    case Qt::Key_Minus:
        emit WheelZoom(-1, static_cast<int>(centre.x()), static_cast<int>(centre.y()));
        break;
    case Qt::Key_Left:
        PanBy(QPoint(-stepX, 0));
        break;
    case Qt::Key_Right:
        PanBy(QPoint(stepX, 0));
        break;
    case Qt::Key_Up:
        PanBy(QPoint(0, -stepY));
        break;
    case Qt::Key_Down:
        PanBy(QPoint(0, stepY));
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

} // namespace sw::gui

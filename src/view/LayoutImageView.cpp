#include "view/LayoutImageView.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>

namespace sw::gui {

LayoutImageView::LayoutImageView(QImage image, QWidget* parent)
    : QWidget(parent), image_(std::move(image)) {
    setObjectName(QStringLiteral("LayoutImage"));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(image_.deviceIndependentSize().toSize());
}

void LayoutImageView::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    const QRect r = event->rect();
    const qreal ratio = image_.devicePixelRatio();
    p.drawImage(r, image_,
                QRectF(r.x() * ratio, r.y() * ratio, r.width() * ratio, r.height() * ratio));
}

void LayoutImageView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (rect().contains(pos)) {
        emit PointerMoved(pos.x(), pos.y());
    }
}

void LayoutImageView::mousePressEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    emit PointerPressed(event->button(), pos.x(), pos.y());
}

void LayoutImageView::wheelEvent(QWheelEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier)) {
        event->ignore(); // the scroll box scrolls
        return;
    }
    // A notch is 15 degrees, 120 eighths; touchpads send fractions of it.
    constexpr int Notch = 120;
    wheelAngle_ += event->angleDelta().y();
    const int steps = wheelAngle_ / Notch;
    wheelAngle_ -= steps * Notch;
    event->accept();
    if (steps != 0) {
        const QPoint pos = event->position().toPoint();
        emit WheelZoom(steps, pos.x(), pos.y());
    }
}

} // namespace sw::gui

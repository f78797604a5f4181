#include "view/LayoutImageView.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

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
    emit PointerPressed(event->button());
}

} // namespace sw::gui

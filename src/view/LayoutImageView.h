#pragma once

// The layout image control inside the scroll box: shows one QImage at its size
// in layout pixels (an image drawn at the screen's density holds more device
// pixels) and reports the pointer in layout pixels. Painting the window only copies
// the image; the layout is drawn onto the image itself, once.

#include <QImage>
#include <QWidget>

namespace sw::gui {

class LayoutImageView : public QWidget {
    Q_OBJECT

public:
    explicit LayoutImageView(QImage image, QWidget* parent = nullptr);

    QImage& Image() { return image_; }
    const QImage& Image() const { return image_; }

    // Shows the pixels again after they were drawn on: all of them, or the
    // rectangle of layout pixels that changed.
    void ImageChanged() { update(); }
    void ImageChanged(const QRect& layoutPixels) { update(layoutPixels); }

signals:
    void PointerMoved(int x, int y);
    void PointerPressed(Qt::MouseButton button, int x, int y);
    // Ctrl and the wheel: whole notches, positive away from the user.
    void WheelZoom(int steps, int x, int y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    QImage image_;
    int wheelAngle_ = 0; // eighths of a degree not yet a whole notch
};

} // namespace sw::gui

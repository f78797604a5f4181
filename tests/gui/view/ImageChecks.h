#pragma once

// Questions a test asks of the pixels of a drawn image.

#include <QImage>
#include <QRect>

namespace sw::test {

// Some pixel of `area` (edges included) has exactly `color`.
inline bool HasColor(const QImage& img, const QRect& area, QRgb color) {
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (img.pixel(x, y) == color) {
                return true;
            }
        }
    }
    return false;
}

} // namespace sw::test

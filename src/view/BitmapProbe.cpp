#include "view/BitmapProbe.h"

#include "index/CheckedMath.h"

#include <QImage>

namespace sw::gui {

namespace {

constexpr int ProbeDivisions = 20;
constexpr double CmPerInch = 2.54;

} // namespace

bool AllocateProbeImage(int width, int height) {
    if (width <= 0 || height <= 0) {
        return false;
    }
    // A null image is the platform's out-of-resources answer; the image is freed
    // when it goes out of scope.
    const QImage probe(width, height, QImage::Format_RGB32);
    return !probe.isNull();
}

ImageLimits GetMAxResource(int bitDepth, double pixelsPerInch, int extentCm,
                           const BitmapAllocator& allocate) {
    ImageLimits limits;
    limits.ScreenBitDepth = bitDepth;
    int side = RoundHalfEven(pixelsPerInch * extentCm / CmPerInch);
    bool ok = allocate(side, side);
    for (int k = 1; !ok && k <= ProbeDivisions; ++k) {
        side = RoundHalfEven(pixelsPerInch * (static_cast<double>(extentCm) / k) / CmPerInch);
        ok = allocate(side, side);
    }
    limits.MaxBitmapSize = static_cast<int64_t>(side) * side * bitDepth;
    return limits;
}

} // namespace sw::gui

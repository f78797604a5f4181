#include "coverage/LayoutSizing.h"

#include "coverage/LayoutGeometry.h"
#include "index/CheckedMath.h"

#include <limits>

namespace sw {

namespace {

constexpr int ImageSizeAttempts = 10;

} // namespace

bool ImageSizePossible(Settings& s, const SheetGrid& g, const ImageLimits& limits,
                       ImageSize& size) {
    for (int attempt = 0; attempt < ImageSizeAttempts; ++attempt) {
        int64_t w = 0;
        int64_t h = 0;
        try {
            const LayoutGeometry geo = PlanLayout(s, g.GridCols, g.GridRows);
            w = geo.ImageWidth;
            h = geo.ImageHeight;
        } catch (const IntegerOverflow&) {
            // Block edges beyond 32 bits: no image can hold this grid at this zoom.
        }
        // A planned size of an absurd grid is refused, never wrapped.
        int64_t bits = 0;
        const bool overflow = __builtin_mul_overflow(w, limits.ScreenBitDepth, &bits) ||
                              __builtin_mul_overflow(bits, h, &bits);
        const bool positive = w > 0 && h > 0;
        const bool fitsInt =
            w <= std::numeric_limits<int32_t>::max() && h <= std::numeric_limits<int32_t>::max();
        if (positive && fitsInt && !overflow && bits < limits.MaxBitmapSize) {
            size = ImageSize{static_cast<int32_t>(w), static_cast<int32_t>(h)};
            return true;
        }
        if (s.SheetPixelHeight - ZoomStep < MinSheetPixelHeight) {
            break;
        }
        s.SheetPixelHeight -= ZoomStep;
    }
    size = ImageSize{};
    return false;
}

FitResult FitZoom(Settings& s, const SheetGrid& g, const ImageLimits& limits, int32_t clientWidth,
                  int32_t clientHeight) {
    ImageSize size;
    if (!ImageSizePossible(s, g, limits, size)) {
        return {};
    }
    while (clientWidth < size.Width && s.SheetPixelHeight - ZoomStep >= MinSheetPixelHeight) {
        s.SheetPixelHeight -= ZoomStep;
        if (!ImageSizePossible(s, g, limits, size)) {
            return {};
        }
    }
    while (clientHeight < size.Height && s.SheetPixelHeight - ZoomStep >= MinSheetPixelHeight) {
        s.SheetPixelHeight -= ZoomStep;
        if (!ImageSizePossible(s, g, limits, size)) {
            return {};
        }
    }
    return FitResult{true, clientWidth >= size.Width && clientHeight >= size.Height};
}

} // namespace sw

#include "coverage/LayoutSizing.h"

#include "coverage/LayoutGeometry.h"
#include "index/CheckedMath.h"

#include <cmath>
#include <limits>

namespace sw {

namespace {

constexpr int ImageSizeAttempts = 10;

} // namespace

bool PlanImage(const Settings& s, const SheetGrid& g, const ImageLimits& limits, ImageSize& size) {
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
    return false;
}

bool ImageSizePossible(Settings& s, const SheetGrid& g, const ImageLimits& limits,
                       ImageSize& size) {
    for (int attempt = 0; attempt < ImageSizeAttempts; ++attempt) {
        if (PlanImage(s, g, limits, size)) {
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
    auto lower = [&s] {
        if (s.SheetPixelHeight - ZoomStep < MinSheetPixelHeight) {
            return false;
        }
        s.SheetPixelHeight -= ZoomStep;
        return true;
    };
    bool possible = PlanImage(s, g, limits, size);
    while (!possible || clientWidth < size.Width) {
        if (!lower()) {
            return FitResult{possible, false};
        }
        possible = PlanImage(s, g, limits, size);
    }
    while (clientHeight < size.Height) {
        if (!lower()) {
            return FitResult{true, false};
        }
        if (!PlanImage(s, g, limits, size)) {
            // A smaller zoom always plans a smaller image; this cannot happen
            // unless the limit is absurd. Stay at the last zoom that had one.
            s.SheetPixelHeight += ZoomStep;
            return FitResult{true, false};
        }
    }
    return FitResult{true, true};
}

bool DrawingIsSlow(const ImageSize& size, int64_t sheetCount) {
    // Measured on the development machine: a blank image costs about 13 ns a
    // pixel and drawing about 1 microsecond a sheet, so each of these alone
    // reaches a fifth of a second.
    constexpr int64_t SlowPixels = 15'000'000;
    constexpr int64_t SlowSheets = 200'000;
    const int64_t pixels = int64_t{size.Width} * size.Height;
    return pixels >= SlowPixels || sheetCount >= SlowSheets;
}

PixelPos SamePosition(const LayoutGeometry& from, const LayoutGeometry& to, int32_t x, int32_t y) {
    if (from.CellWidth <= 0 || from.CellHeight <= 0) {
        return PixelPos{x, y};
    }
    const double cols = static_cast<double>(x - from.GridOriginX) / from.CellWidth;
    const double rows = static_cast<double>(y - from.GridOriginY) / from.CellHeight;
    return PixelPos{to.GridOriginX + std::llround(cols * to.CellWidth),
                    to.GridOriginY + std::llround(rows * to.CellHeight)};
}

} // namespace sw

#pragma once

// How big the layout image may be, and the zoom that makes it fit: the bitmap
// limit found by the start-up probe and the visible area of the scroll box. The
// zoom never goes below MinSheetPixelHeight here: below 5 pixels a cell shows
// nothing readable and at 0 the pixel conversions would divide by zero.

#include "coverage/SheetGrid.h"
#include "index/Settings.h"

#include <cstdint>

namespace sw {

// What the platform can allocate, as the start-up probe measured it.
struct ImageLimits {
    int64_t ScreenBitDepth = 32;
    // Pixel area times ScreenBitDepth of the largest probe bitmap obtained; a
    // planned image must stay strictly below it.
    int64_t MaxBitmapSize = 0;
};

struct ImageSize {
    int32_t Width = 0;
    int32_t Height = 0;
};

// Plans the image for the grid at the current zoom and, while it does not fit
// the limit, lowers the zoom by ZoomStep, at most ten attempts and never below
// MinSheetPixelHeight. Returns true with the size when a plan fits; false with
// 0 x 0 otherwise. The zoom is left where the attempts took it.
bool ImageSizePossible(Settings& s, const SheetGrid& g, const ImageLimits& limits, ImageSize& size);

// The zoom "Fit to Screen" ends at: starting from s.SheetPixelHeight, lowered by
// ZoomStep while the planned image is wider, then while it is taller, than the
// visible area (each plan passing through ImageSizePossible as a new image
// would). Stops at MinSheetPixelHeight; `fits` tells whether the image then fits.
// Returns false when no image can be made at all (the zoom is then where
// ImageSizePossible left it).
struct FitResult {
    bool ImagePossible = false;
    bool Fits = false;
};
FitResult FitZoom(Settings& s, const SheetGrid& g, const ImageLimits& limits, int32_t clientWidth,
                  int32_t clientHeight);

} // namespace sw

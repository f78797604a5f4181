#pragma once

// How big the layout image may be, and the zoom that makes it fit: the bitmap
// limit found by the start-up probe and the visible area of the scroll box. The
// zoom never goes below MinSheetPixelHeight here: below 5 pixels a cell shows
// nothing readable and at 0 the pixel conversions would divide by zero.

#include "coverage/LayoutGeometry.h"
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

// Plans the image for the grid at exactly the current zoom: true with the size
// when it stays below the limit.
bool PlanImage(const Settings& s, const SheetGrid& g, const ImageLimits& limits, ImageSize& size);

// Plans the image for the grid at the current zoom and, while it does not fit
// the limit, lowers the zoom by ZoomStep, at most ten attempts and never below
// MinSheetPixelHeight. Returns true with the size when a plan fits; false with
// 0 x 0 otherwise. The zoom is left where the attempts took it.
bool ImageSizePossible(Settings& s, const SheetGrid& g, const ImageLimits& limits, ImageSize& size);

// The zoom "Fit to Screen" ends at: starting from s.SheetPixelHeight, lowered by
// ZoomStep while no image can be made at it or the planned image is wider, then
// while it is taller, than the visible area. The sizes are planned, not made, so
// fitting a large grid costs no bitmaps; and it goes on to MinSheetPixelHeight,
// past the ten attempts of ImageSizePossible, so that a large feature is shown
// at the smallest zoom rather than refused. `Fits` tells whether the image then
// fits the visible area; `ImagePossible` is false only when no zoom down to
// MinSheetPixelHeight gives an image (the zoom is then MinSheetPixelHeight).
struct FitResult {
    bool ImagePossible = false;
    bool Fits = false;
};
FitResult FitZoom(Settings& s, const SheetGrid& g, const ImageLimits& limits, int32_t clientWidth,
                  int32_t clientHeight);

// Whether making and drawing an image of this size for this many sheets is slow
// enough (about a fifth of a second or more) that the window should say it is
// busy while it runs.
bool DrawingIsSlow(const ImageSize& size, int64_t sheetCount);

// Where the image pixel (x, y) of one layout lies in a layout of the same grid
// at another zoom: the same geographic position, kept to the fraction of a cell,
// so that a zoom can keep what was under the pointer in view.
struct PixelPos {
    int64_t X = 0;
    int64_t Y = 0;
};
PixelPos SamePosition(const LayoutGeometry& from, const LayoutGeometry& to, int32_t x, int32_t y);

} // namespace sw

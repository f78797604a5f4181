#pragma once

// The zoom of `sheets`' pictures. A JPEG or bitmap of a grid of a million cells
// at the usual zoom would be billions of pixels; the command draws it at the
// largest zoom whose picture stays within a pixel limit, or, when the zoom was
// given, refuses it before anything is allocated and names the zoom that fits.

#include "coverage/SheetGrid.h"
#include "index/Settings.h"

#include <cstdint>
#include <iosfwd>
#include <string>

namespace sw::cli {

// 64 megapixels: a picture of some 256 MB in memory, as much as image viewers
// and GIS programs open without trouble.
inline constexpr int64_t DefaultMaxPicturePixels = 64'000'000;

// Width times height of the layout picture of the grid at `zoom`; INT64_MAX when
// it cannot even be planned.
int64_t PicturePixels(const Settings& s, const SheetGrid& g, int32_t zoom);

// The largest zoom from `upTo` down to 1 whose picture has at most `maxPixels`
// pixels; 0 when none has.
int32_t LargestFittingZoom(const Settings& s, const SheetGrid& g, int64_t maxPixels, int32_t upTo);

// The zoom to draw the pictures at. With `zoomGiven`, the settings' zoom, or
// InputError when its picture is past the limit. Otherwise the largest zoom up
// to the settings' that fits, noted on `err` when it is lower.
int32_t PictureZoom(const Settings& s, const SheetGrid& g, bool zoomGiven, int64_t maxPixels,
                    std::ostream& err);

} // namespace sw::cli

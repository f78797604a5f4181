#pragma once

// The start-up probe of the largest bitmap the platform will give: a square of
// 300 x 300 centimetres at the display's resolution, and failing that a half, a
// third, ... down to a twentieth of its side.

#include "coverage/LayoutSizing.h"

#include <functional>

namespace sw::gui {

// Tries to obtain (and at once releases) a bitmap of the given size; false when
// the platform is out of resources.
using BitmapAllocator = std::function<bool(int width, int height)>;

// Allocates a 32-bit QImage without filling it: the memory is reserved but not
// touched, so even the first 11339 x 11339 try costs no time.
bool AllocateProbeImage(int width, int height);

// ScreenBitDepth := bitDepth; MaxBitmapSize := width x height x bitDepth of the
// first try that succeeds (or the twentieth when all fail).
ImageLimits GetMAxResource(int bitDepth, double pixelsPerInch, int extentCm = 300,
                           const BitmapAllocator& allocate = AllocateProbeImage);

} // namespace sw::gui

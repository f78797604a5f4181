#pragma once

// A seam for unattended runs (the README screenshot under Xvfb):
//   SHEETWRIGHT_DEMO_POINT="24 3 0 72 3 0"  enters that point (latitude then
//                                           longitude, degrees minutes seconds)
//                                           once the window is shown;
//   SHEETWRIGHT_SCREENSHOT=file.png         grabs the window into the file once
//                                           the layout is drawn, then quits;
//   SHEETWRIGHT_DEMO_SCALE="1 5"            picks the series and scale items
//                                           (here open, 1:2000) first; without
//                                           a point, the file given on the
//                                           command line is the feature.

#include "coverage/Feature.h"

#include <functional>

class QWidget;

namespace sw::gui {

// What the seam does with the main window besides grabbing it.
struct ScreenshotHooks {
    // Enters a typed feature as the point dialog's OK does.
    std::function<void(Feature feature)> enterFeature;
    // Calls `then` each time a computation has ended.
    std::function<void(std::function<void()> then)> afterComputation;
    // Picks the series and scale items as the boxes do.
    std::function<void(int series, int scale)> chooseScale;
};

// Called once, when the main window is first shown; does nothing unless the
// variables are set.
void StartScreenshotSeam(QWidget& window, const ScreenshotHooks& hooks);

} // namespace sw::gui

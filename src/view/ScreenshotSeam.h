#pragma once

// A seam for unattended runs (the README screenshot under Xvfb):
//   SHEETWRIGHT_DEMO_POINT="24 3 0 72 3 0"  enters that point (latitude then
//                                           longitude, degrees minutes seconds)
//                                           once the window is shown;
//   SHEETWRIGHT_SCREENSHOT=file.png         grabs the window into the file once
//                                           the layout is drawn, then quits.

namespace sw::gui {

class TMainForm;

// Called once, when the main window is first shown; does nothing unless the
// variables are set.
void StartScreenshotSeam(TMainForm& form);

} // namespace sw::gui

#pragma once

// Keeps every command of a tool bar of caption buttons on the bar: the buttons
// have their design width where the bar is wide enough and share its width
// where it is not (down to the width of their captions), so that no command
// falls into the overflow menu at the design width of the window or on a
// screen with a large scale factor.

class QToolBar;

namespace sw::gui {

// `fixedWidth` is what the bar's other items (separators) take. Buttons added
// later are fitted as well.
void FitToolBarButtons(QToolBar& bar, int fixedWidth);

} // namespace sw::gui

#pragma once

// What the dialogs need of the main window: the program's state, the window
// itself (parent, caption, message boxes) and the step that computes and draws
// an accepted feature. Kept apart from the main window's class so a dialog can be
// driven on its own.

#include "coverage/Feature.h"
#include "session/AppState.h"

#include <functional>

class QWidget;

namespace sw {

struct DialogHost {
    AppState* state = nullptr;
    QWidget* mainWindow = nullptr;
    // Stores the feature, computes its sheets and draws the layout; "Save Layout"
    // is enabled, "Report" too when `enableReport`.
    std::function<void(Feature feature, bool fitToScreen, bool enableReport)> acceptFeature;
    // True while a computation runs; a dialog's OK then waits for it to finish.
    std::function<bool()> computing;
};

} // namespace sw

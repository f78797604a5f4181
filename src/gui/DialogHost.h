#pragma once

// What the dialogs need of the main window: the session, the window
// itself (parent, caption, message boxes) and the step that computes and draws
// an accepted feature. Kept apart from the main window's class so a dialog can be
// driven on its own.

#include "coverage/Feature.h"
#include "session/Session.h"

#include <filesystem>
#include <functional>
#include <string>

class QWidget;

namespace sw::gui {

struct DialogHost {
    // The program's state and its rules; dialogs read the state and change it
    // through the session's commands (the vertex grid edits its table in place).
    Session* session = nullptr;
    QWidget* mainWindow = nullptr;
    // Stores the feature, computes its sheets and draws the layout; "Save Layout"
    // is enabled. `source` is the file the feature was read from, empty for a
    // typed one: the main window's caption follows it.
    std::function<void(Feature feature, bool fitToScreen, bool enableReport,
                       std::filesystem::path source)>
        acceptFeature;
    // True while a computation runs; a dialog's OK then waits for it to finish.
    std::function<bool()> computing;
};

} // namespace sw::gui

#pragma once

// The main window as its units see it: a widget to parent boxes and timers on,
// the status panels, and whether something runs. The input wiring, the files
// given to the window and "Open layer" reach the window through this (and
// their own few calls), not through its class, so each can be driven by a
// stand-in and the window's header does not pull them all in.

#include <QString>

class QWidget;

namespace sw::gui {

class WindowStatus {
public:
    // Told when a command cannot run because a computation runs.
    static constexpr const char* BusyText =
        "A calculation is running. Wait for it to end or press Escape to stop it.";

    virtual ~WindowStatus() = default;

    // The window itself: the parent of its message boxes and dialogs.
    virtual QWidget& Widget() = 0;
    // True while a computation runs, a layer is read or the layout is drawn
    // (the state-changing commands are disabled).
    virtual bool Computing() const = 0;
    // Panel texts of the status bar (0, 1, 2).
    virtual void SetPanelText(int panel, const QString& text) = 0;
    virtual QString PanelText(int panel) const = 0;
};

} // namespace sw::gui

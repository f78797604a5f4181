#pragma once

// The main window: settings panel, tool bar, the scroll box with the layout image
// and the status bar. It owns the program's state and dispatches commands; the
// layout geometry, painting, pointer readout and saving live in their own units.

#include "coverage/Feature.h"
#include "view/AppState.h"

#include <QMainWindow>

#include <functional>

class QComboBox;
class QLabel;
class QScrollArea;
class QStatusBar;
class QToolBar;
class QToolButton;

namespace sw {

// The windows the main window shows; created by the application at start-up.
struct DialogSet {
    QWidget* SetInputForm = nullptr;   // data type
    QWidget* PointInputForm = nullptr; // point
    QWidget* PolyInputForm = nullptr;  // vertex table
    QWidget* ReportForm = nullptr;
    QWidget* AboutBox = nullptr;
    // The vertex dialog's own Clear (empties its grid, InputFileOpened := false).
    std::function<void()> ClearVertexInput;
};

class TMainForm : public QMainWindow {
    Q_OBJECT

public:
    explicit TMainForm(QWidget* parent = nullptr);
    ~TMainForm() override;

    AppState& State();
    const AppState& State() const;

    void SetDialogs(const DialogSet& dialogs);

    // What the OK of the point and vertex dialogs do after building the feature:
    // store it (FeatureLoaded := 1, LayoutDrawn := false), run ComputeSheets
    // without freezing the window, then CreateImage, FitToscreen when
    // `fitToScreen`, enable "Save Layout" (and "Report" when `enableReport`), and
    // repaint. Errors are shown in a message box and change nothing.
    void AcceptFeature(Feature feature, bool fitToScreen, bool enableReport);

    // Panel texts of the status bar (0, 1, 2).
    void SetPanelText(int panel, const QString& text);
    QString PanelText(int panel) const;

    // True while a computation runs (the state-changing commands are disabled).
    bool Computing() const;
};

} // namespace sw

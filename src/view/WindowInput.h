#pragma once

// The main window's input routed to its handlers: the tool bar's buttons, the
// scale and series boxes and the "Find sheet" field; each command's keys (which click its button,
// so the button's enable state holds), Escape to stop what runs, Ctrl+F to the "Find sheet" field,
// and which drags the window takes.

#include "view/WindowStatus.h"

#include <QPoint>
#include <Qt>

#include <filesystem>

class QDragEnterEvent;
class QDropEvent;

namespace sw::gui {

struct MainFormControls;
class LayoutPane;

// The handlers the input reaches, named as the original window's are.
class WindowCommands : public WindowStatus {
public:
    virtual void ComboBox1Change(int item) = 0;
    virtual void ComboBox2Change(int item) = 0;
    virtual void SpeedButton1Click() = 0;
    virtual void PointBtnClick() = 0;
    virtual void ReportBtnClick() = 0;
    virtual void SaveBtnClick() = 0;
    virtual void ClearBtnClick() = 0;
    virtual void SpeedButton4Click() = 0;
    virtual void ZoominBtnClick() = 0;
    virtual void ZoomoutBtnClick() = 0;
    virtual void AboutbtnClick() = 0;
    virtual void exitbtnClick() = 0;
    virtual void FindSheet(const QString& number) = 0;
    virtual void CancelComputation() = 0;
    // The pointer on the layout image (image pixels).
    virtual void Image1MouseMove(int x, int y) = 0;
    virtual void Image1MouseDown(Qt::MouseButton button, int x, int y) = 0;
    virtual void ZoomAt(int steps, QPoint imagePos) = 0;
    // The wheel or + and - on the layout: a continuous zoom around the
    // pointer, a notch at a time, and below the smallest zoom the layout
    // reduced further, down to the whole of it.
    virtual void WheelAt(int steps, QPoint imagePos) = 0;
    // A dropped file, once the drop is over.
    virtual void OpenDroppedFile(const std::filesystem::path& path) = 0;
};

void ConnectMainFormCommands(WindowCommands& window, const MainFormControls& controls);
// The pointer on the layout image: the readout, clicks and Ctrl and the wheel.
void ConnectLayoutPointer(WindowCommands& window, LayoutPane& pane);
void BindMainFormKeys(WindowCommands& window, const MainFormControls& controls);

// A drag over the window: taken when it carries one local file and nothing
// runs; otherwise panel 0 says why and the drag is refused.
void EnterDrag(WindowStatus& window, QDragEnterEvent* event);
// The drop itself: the file is opened (WindowCommands::OpenDroppedFile) once the
// drop has ended, since the source waits for the drop to return.
void TakeDrop(WindowCommands& window, QDropEvent* event);

} // namespace sw::gui

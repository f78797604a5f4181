#pragma once

// The main window's input routed to its handlers: the tool bar's buttons, the
// scale and series boxes and the "Find sheet" field; each command's keys (which click its button,
// so the button's enable state holds), Escape to stop what runs, Ctrl+F to the "Find sheet" field,
// and which drags the window takes.

class QDragEnterEvent;
class QDropEvent;

namespace sw::gui {

struct MainFormControls;
class LayoutPane;
class TMainForm;

void ConnectMainFormCommands(TMainForm& form, const MainFormControls& controls);
// The pointer on the layout image: the readout, clicks and Ctrl and the wheel.
void ConnectLayoutPointer(TMainForm& form, LayoutPane& pane);
void BindMainFormKeys(TMainForm& form, const MainFormControls& controls);

// A drag over the window: taken when it carries one local file and nothing
// runs; otherwise panel 0 says why and the drag is refused.
void EnterDrag(TMainForm& form, QDragEnterEvent* event);
// The drop itself: the file is opened (TMainForm::OpenDroppedFile) once the
// drop has ended, since the source waits for the drop to return.
void TakeDrop(TMainForm& form, QDropEvent* event);

} // namespace sw::gui

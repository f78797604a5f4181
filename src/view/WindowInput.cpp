#include "view/WindowInput.h"

#include "gui/CommandKeys.h"
#include "view/FileDrop.h"
#include "view/LayoutPane.h"
#include "view/MainFormControls.h"

#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLineEdit>
#include <QShortcut>
#include <QToolButton>

namespace sw::gui {

void ConnectMainFormCommands(WindowCommands& window, const MainFormControls& c) {
    WindowCommands* w = &window;
    QWidget* context = &window.Widget();
    const auto click = [w, context](QToolButton* button, void (WindowCommands::*handler)()) {
        QObject::connect(button, &QToolButton::clicked, context, [w, handler] { (w->*handler)(); });
    };
    click(c.SpeedButton1, &WindowCommands::SpeedButton1Click);
    click(c.PointBtn, &WindowCommands::PointBtnClick);
    click(c.ReportBtn, &WindowCommands::ReportBtnClick);
    click(c.SaveBtn, &WindowCommands::SaveBtnClick);
    click(c.ClearBtn, &WindowCommands::ClearBtnClick);
    click(c.SpeedButton4, &WindowCommands::SpeedButton4Click);
    click(c.ZoominBtn, &WindowCommands::ZoominBtnClick);
    click(c.ZoomoutBtn, &WindowCommands::ZoomoutBtnClick);
    click(c.Aboutbtn, &WindowCommands::AboutbtnClick);
    click(c.exitbtn, &WindowCommands::exitbtnClick);
    // activated: only the user's picks; selections made in code raise no change.
    QObject::connect(c.ComboBox1, &QComboBox::activated, context,
                     [w](int item) { w->ComboBox1Change(item); });
    QObject::connect(c.ComboBox2, &QComboBox::activated, context,
                     [w](int item) { w->ComboBox2Change(item); });
    QLineEdit* edit = c.FindSheetEdit;
    QObject::connect(edit, &QLineEdit::returnPressed, context,
                     [w, edit] { w->FindSheet(edit->text()); });
}

void ConnectLayoutPointer(WindowCommands& window, LayoutPane& pane) {
    WindowCommands* w = &window;
    QWidget* context = &window.Widget();
    QObject::connect(&pane, &LayoutPane::PointerMoved, context,
                     [w](int x, int y) { w->Image1MouseMove(x, y); });
    QObject::connect(
        &pane, &LayoutPane::PointerPressed, context,
        [w](Qt::MouseButton button, int x, int y) { w->Image1MouseDown(button, x, y); });
    QObject::connect(&pane, &LayoutPane::WheelZoom, context,
                     [w](int steps, int x, int y) { w->WheelAt(steps, QPoint(x, y)); });
}

void BindMainFormKeys(WindowCommands& window, const MainFormControls& c) {
    QWidget& form = window.Widget();
    const auto key = [](QKeyCombination k) { return QKeySequence(k); };
    BindCommandKeys(
        form, {
                  {c.OpenLayerBtn, {key(Qt::CTRL | Qt::Key_O)}},
                  {c.SpeedButton1, {key(Qt::CTRL | Qt::Key_D)}},
                  {c.PointBtn, {key(Qt::CTRL | Qt::Key_N)}},
                  {c.ReportBtn, {key(Qt::CTRL | Qt::Key_R)}},
                  {c.SaveBtn, {key(Qt::CTRL | Qt::Key_S)}},
                  {c.ClearBtn, {key(Qt::CTRL | Qt::Key_L)}},
                  {c.SpeedButton4, {key(Qt::CTRL | Qt::Key_0)}},
                  // Ctrl+= is the same key without Shift on most layouts.
                  {c.ZoominBtn, {key(Qt::CTRL | Qt::Key_Plus), key(Qt::CTRL | Qt::Key_Equal)}},
                  {c.ZoomoutBtn, {key(Qt::CTRL | Qt::Key_Minus)}},
                  {c.Aboutbtn, {key(Qt::Key_F1)}},
                  {c.exitbtn, {key(Qt::CTRL | Qt::Key_Q)}},
              });
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), &form);
    WindowCommands* w = &window;
    QObject::connect(escape, &QShortcut::activated, &form, [w] { w->CancelComputation(); });
    auto* find = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_F), &form);
    QLineEdit* edit = c.FindSheetEdit;
    QObject::connect(find, &QShortcut::activated, edit, [edit] {
        edit->setFocus(Qt::ShortcutFocusReason);
        edit->selectAll();
    });
}

void EnterDrag(WindowStatus& window, QDragEnterEvent* event) {
    // A refused drag says why while it is over the window; no drop follows it.
    const DropRequest drop = ReadDrop(event->mimeData());
    if (!drop.refusal.isEmpty()) {
        window.SetPanelText(0, drop.refusal);
        event->ignore();
    } else if (window.Computing()) {
        window.SetPanelText(0, QString::fromLatin1(WindowStatus::BusyText));
        event->ignore();
    } else {
        event->acceptProposedAction();
    }
}

void TakeDrop(WindowCommands& window, QDropEvent* event) {
    const DropRequest drop = ReadDrop(event->mimeData());
    if (!drop.refusal.isEmpty()) {
        window.SetPanelText(0, drop.refusal);
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    WindowCommands* w = &window;
    QMetaObject::invokeMethod(
        &window.Widget(), [w, path = drop.path] { w->OpenDroppedFile(path); },
        Qt::QueuedConnection);
}

} // namespace sw::gui

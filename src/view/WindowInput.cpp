#include "view/WindowInput.h"

#include "view/CommandKeys.h"
#include "view/FileDrop.h"
#include "view/LayoutPane.h"
#include "view/MainForm.h"
#include "view/MainFormControls.h"

#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLineEdit>
#include <QShortcut>
#include <QToolButton>

namespace sw::gui {

void ConnectMainFormCommands(TMainForm& form, const MainFormControls& c) {
    TMainForm* f = &form;
    QObject::connect(c.SpeedButton1, &QToolButton::clicked, f, &TMainForm::SpeedButton1Click);
    QObject::connect(c.PointBtn, &QToolButton::clicked, f, &TMainForm::PointBtnClick);
    QObject::connect(c.ReportBtn, &QToolButton::clicked, f, &TMainForm::ReportBtnClick);
    QObject::connect(c.SaveBtn, &QToolButton::clicked, f, &TMainForm::SaveBtnClick);
    QObject::connect(c.ClearBtn, &QToolButton::clicked, f, &TMainForm::ClearBtnClick);
    QObject::connect(c.SpeedButton4, &QToolButton::clicked, f, &TMainForm::SpeedButton4Click);
    QObject::connect(c.ZoominBtn, &QToolButton::clicked, f, &TMainForm::ZoominBtnClick);
    QObject::connect(c.ZoomoutBtn, &QToolButton::clicked, f, &TMainForm::ZoomoutBtnClick);
    QObject::connect(c.Aboutbtn, &QToolButton::clicked, f, &TMainForm::AboutbtnClick);
    QObject::connect(c.exitbtn, &QToolButton::clicked, f, &TMainForm::exitbtnClick);
    // activated: only the user's picks; selections made in code raise no change.
    QObject::connect(c.ComboBox1, &QComboBox::activated, f, &TMainForm::ComboBox1Change);
    QObject::connect(c.ComboBox2, &QComboBox::activated, f, &TMainForm::ComboBox2Change);
    QLineEdit* edit = c.FindSheetEdit;
    QObject::connect(edit, &QLineEdit::returnPressed, f, [f, edit] { f->FindSheet(edit->text()); });
}

void ConnectLayoutPointer(TMainForm& form, LayoutPane& pane) {
    TMainForm* f = &form;
    QObject::connect(&pane, &LayoutPane::PointerMoved, f, &TMainForm::Image1MouseMove);
    QObject::connect(&pane, &LayoutPane::PointerPressed, f, &TMainForm::Image1MouseDown);
    QObject::connect(&pane, &LayoutPane::WheelZoom, f,
                     [f](int steps, int x, int y) { f->WheelAt(steps, QPoint(x, y)); });
}

void BindMainFormKeys(TMainForm& form, const MainFormControls& c) {
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
    QObject::connect(escape, &QShortcut::activated, &form, &TMainForm::CancelComputation);
    auto* find = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_F), &form);
    QLineEdit* edit = c.FindSheetEdit;
    QObject::connect(find, &QShortcut::activated, edit, [edit] {
        edit->setFocus(Qt::ShortcutFocusReason);
        edit->selectAll();
    });
}

void EnterDrag(TMainForm& form, QDragEnterEvent* event) {
    // A refused drag says why while it is over the window; no drop follows it.
    const DropRequest drop = ReadDrop(event->mimeData());
    if (!drop.refusal.isEmpty()) {
        form.SetPanelText(0, drop.refusal);
        event->ignore();
    } else if (form.Computing()) {
        form.SetPanelText(0, QString::fromLatin1(TMainForm::BusyText));
        event->ignore();
    } else {
        event->acceptProposedAction();
    }
}

void TakeDrop(TMainForm& form, QDropEvent* event) {
    const DropRequest drop = ReadDrop(event->mimeData());
    if (!drop.refusal.isEmpty()) {
        form.SetPanelText(0, drop.refusal);
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    QMetaObject::invokeMethod(
        &form, [&form, path = drop.path] { form.OpenDroppedFile(path); }, Qt::QueuedConnection);
}

} // namespace sw::gui

#pragma once

// Every modal exchange with the user passes through here: message boxes,
// Yes/No questions and modal dialogs (the file boxes, the layer chooser, the
// print box). By default they run as windows of their own. A test, or an
// unattended run, installs an answerer instead and receives each request
// synchronously at the moment it is made, so nothing waits for a window to
// appear.

#include <QString>

class QDialog;
class QWidget;

namespace sw::gui {

struct MessageRequest {
    enum class Kind { Information, Error, Question };
    Kind kind = Kind::Information;
    QString title;
    QString text;
};

class ModalAnswerer {
public:
    virtual ~ModalAnswerer() = default;
    // A message box; for a question, the answer (true for "Yes").
    virtual bool Message(QWidget* parent, const MessageRequest& box) = 0;
    // A modal dialog, set up and ready to run: true when it is accepted. The
    // answerer may fill it in first, as a user would, and the caller then
    // reads the dialog as after a real run.
    virtual bool Dialog(QDialog& dialog) = 0;
};

// Installs `answerer` (null: the real windows again); returns the one it replaces.
ModalAnswerer* SetModalAnswerer(ModalAnswerer* answerer);

// Shows a message box or asks a question, through the answerer when there is one.
bool ShowMessage(QWidget* parent, const MessageRequest& box);
// Runs `dialog` modal, through the answerer when there is one; true when accepted.
bool RunModal(QDialog& dialog);

} // namespace sw::gui

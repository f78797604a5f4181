#include "gui/ModalSeam.h"

#include <QDialog>
#include <QMessageBox>

namespace sw::gui {

namespace {

// The answerer in force for the whole application (there is one user).
ModalAnswerer* answerer_ = nullptr;

} // namespace

ModalAnswerer* SetModalAnswerer(ModalAnswerer* answerer) {
    ModalAnswerer* before = answerer_;
    answerer_ = answerer;
    return before;
}

bool ShowMessage(QWidget* parent, const MessageRequest& box) {
    if (answerer_ != nullptr) {
        return answerer_->Message(parent, box);
    }
    switch (box.kind) {
    case MessageRequest::Kind::Information:
        QMessageBox::information(parent, box.title, box.text, QMessageBox::Ok);
        return true;
    case MessageRequest::Kind::Error:
        QMessageBox::critical(parent, box.title, box.text, QMessageBox::Ok);
        return true;
    case MessageRequest::Kind::Question:
        break;
    }
    return QMessageBox::question(parent, box.title, box.text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

bool RunModal(QDialog& dialog) {
    if (answerer_ != nullptr) {
        return answerer_->Dialog(dialog);
    }
    return dialog.exec() == QDialog::Accepted;
}

} // namespace sw::gui

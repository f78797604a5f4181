#pragma once

// Answers the message boxes, questions and modal dialogs the code under test
// raises, at the moment it raises them, and records them: installed as the
// application's modal answerer for as long as it lives.

#include "gui/ModalSeam.h"

#include <QDialog>
#include <QStringList>

#include <functional>
#include <vector>

namespace sw::test {

class MessageCatcher : public gui::ModalAnswerer {
public:
    struct Box {
        QString title;
        QString text;
    };

    MessageCatcher() : before_(gui::SetModalAnswerer(this)) {}
    ~MessageCatcher() override { gui::SetModalAnswerer(before_); }
    MessageCatcher(const MessageCatcher&) = delete;
    MessageCatcher& operator=(const MessageCatcher&) = delete;

    std::vector<Box> boxes;
    // The answer to questions: "No" unless set.
    bool answerYes = false;
    // The object names of the dialogs run, in order; each is answered by
    // `answerDialog` (which may fill it in), or cancelled without one.
    QStringList dialogs;
    std::function<bool(QDialog&)> answerDialog;

    QString LastText() const { return boxes.empty() ? QString() : boxes.back().text; }

    bool Message(QWidget*, const gui::MessageRequest& box) override {
        boxes.push_back({box.title, box.text});
        return box.kind == gui::MessageRequest::Kind::Question ? answerYes : true;
    }

    bool Dialog(QDialog& dialog) override {
        dialogs << dialog.objectName();
        return answerDialog ? answerDialog(dialog) : false;
    }

private:
    gui::ModalAnswerer* before_;
};

} // namespace sw::test

#pragma once

// Answers the message boxes the code under test raises (they run their own event
// loop) and records their captions and texts.

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <vector>

namespace sw::test {

class MessageCatcher : public QObject {
public:
    struct Box {
        QString title;
        QString text;
    };

    MessageCatcher() {
        timer_.setInterval(5);
        connect(&timer_, &QTimer::timeout, this, &MessageCatcher::Poll);
        timer_.start();
    }

    std::vector<Box> boxes;

    QString LastText() const { return boxes.empty() ? QString() : boxes.back().text; }

private:
    void Poll() {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(w);
            if (box && box->isVisible()) {
                boxes.push_back({box->windowTitle(), box->text()});
                box->done(QMessageBox::Ok);
            }
        }
    }

    QTimer timer_;
};

} // namespace sw::test

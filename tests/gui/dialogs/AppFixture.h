#pragma once

// The whole application started as main() starts it, for tests that drive it
// end to end. Any message box is answered, so an unexpected one fails a check
// instead of hanging the test.

#include "MessageCatcher.h"

#include "app/Startup.h"
#include "view/MainForm.h"

#include <QTest>
#include <QToolButton>

#include <memory>

namespace sw::test {

class AppFixture : public QObject {
protected:
    std::unique_ptr<gui::AppWindows> app;
    std::unique_ptr<MessageCatcher> messages;

    gui::TMainForm& Main() const { return *app->MainForm; }
    QToolButton* Tool(const char* name) const {
        return app->MainForm->findChild<QToolButton*>(QString::fromLatin1(name));
    }

    // For init(): QVERIFY(StartApp()).
    bool StartApp() {
        messages = std::make_unique<MessageCatcher>();
        app = gui::StartApplication();
        return QTest::qWaitForWindowExposed(app->MainForm.get());
    }
    // For cleanup(): the windows go before the answerer of their boxes.
    void StopApp() {
        app.reset();
        messages.reset();
    }
};

} // namespace sw::test

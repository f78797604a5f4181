#pragma once

// A main window of its own for each test: not maximised, at the design size
// unless told otherwise, shown and exposed.

#include "view/MainForm.h"

#include <QSize>
#include <QTest>

#include <memory>

namespace sw::test {

// Null when the window was not exposed in time.
inline std::unique_ptr<gui::TMainForm> ShowMainForm(QSize size = QSize(1016, 716)) {
    auto form = std::make_unique<gui::TMainForm>();
    form->setWindowState(Qt::WindowNoState);
    form->resize(size);
    form->show();
    if (!QTest::qWaitForWindowExposed(form.get())) {
        return nullptr;
    }
    return form;
}

} // namespace sw::test

#pragma once

// The main window as a dialog under test sees it: a session of its own, and
// a record of every feature the dialog accepted instead of a computation.

#include "gui/DialogHost.h"
#include "session/Session.h"

#include <optional>
#include <utility>

namespace sw::test {

struct HostRecorder {
    struct Accepted {
        Feature feature;
        bool fit;
        bool report;
    };

    Session session;
    AppState& state = session.State();
    std::optional<Accepted> accepted; // the last one
    int acceptCount = 0;
    bool computing = false; // what the dialog is told of a running computation

    gui::DialogHost Host(QWidget* mainWindow = nullptr) {
        gui::DialogHost host;
        host.session = &session;
        host.mainWindow = mainWindow;
        host.acceptFeature = [this](Feature f, bool fit, bool report, std::string) {
            accepted = Accepted{std::move(f), fit, report};
            ++acceptCount;
        };
        host.computing = [this] { return computing; };
        return host;
    }
};

} // namespace sw::test

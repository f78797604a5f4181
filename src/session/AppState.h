#pragma once

// The program's state: one instance, owned by the session (session/Session.h)
// and read by the windows through it.

#include "coverage/Feature.h"
#include "coverage/SheetGrid.h"
#include "exchange/VertexTable.h"
#include "index/Settings.h"

#include <string>

namespace sw {

struct AppState {
    Settings settings = StartSettings();
    Feature feature;
    SheetGrid grid;

    // The vertex dialog's table and the file it was last filled from.
    VertexTable vertexTable;
    std::string InputFileName; // UTF-8 path as the file system gave it
    bool InputFileOpened = false;
};

} // namespace sw

#pragma once

// The words for each data type: the data type dialog's choices, and what the
// main window shows for the type chosen, which must read the same.

#include "index/Settings.h"

#include <QString>

namespace sw::gui {

// "Point/Location", "Polyline" or "Polygon".
QString DataKindCaption(DataKind kind);

} // namespace sw::gui

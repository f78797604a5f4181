#pragma once

// "Find sheet": a sheet number to the settings and the feature that draw its
// layout, as if a point at the sheet's centre had been entered at its scale.

#include "coverage/Feature.h"
#include "index/Settings.h"

#include <string>

namespace sw {

struct SheetRequest {
    Settings settings; // `current` switched to the sheet's scale
    Feature feature;   // the point at the sheet's centre
};

// Looks `number` up in the current series; throws UnknownSheetError (what() says
// what is wrong with the number) for one no sheet carries. Zoom, data type and
// series stay as in `current`.
SheetRequest PlanFindSheet(const Settings& current, const std::string& number);

// A sheet number of the series and scale in `current` to show as an example of
// what "Find sheet" takes: the sheet over New Delhi, which both series number
// at every scale.
std::string ExampleSheetNumber(const Settings& current);

} // namespace sw

#pragma once

// A file given to the main window, dropped on it or named on the command line,
// takes one of two roads: a vertex text file is read by the vertex dialog's own
// "Open" (the data type becomes Polyline or Polygon and the dialog shows what
// was read); any other file is read as a GIS layer by "Open layer"
// (view/OpenLayer.h), since GDAL knows formats by their content as well as by
// their extensions.

class QString;

namespace sw::gui {

class TMainForm;

void OpenGivenFile(TMainForm& form, const QString& path);

} // namespace sw::gui

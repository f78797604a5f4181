#pragma once

// The vertex dialog's "Open" as one core operation, shared by the dialog, the
// command-line tool and drag and drop.

#include "exchange/VertexTable.h"

#include <string>

namespace sw {

// Positions of the open box's filters.
inline constexpr int TextFilter = 1;      // "Tab delimitted text file", *.txt
inline constexpr int ShapefileFilter = 2; // "ESRI ShapeFile", *.shp
inline constexpr int KmlFilter = 3;       // "Key hole Markup Language (KMLl) file", *.kml

// The filter a file's extension selects, case-insensitively: ".txt" 1, ".shp" 2,
// ".kml" 3, 0 for anything else.
int FilterIndexForPath(const std::string& path);

// The text file fills the degrees-minutes-seconds layout, the others decimal degrees.
bool FilterUsesDecimalMode(int filterIndex);

enum class OpenOutcome {
    Read,         // the file filled the table
    NotReadNoPrj, // a shapefile without a ".prj" beside it: nothing read, the table as it was
};

// Lays the table out for the filter's mode (SetGrid), then reads by the filter
// index, not the file's extension: 1 the tab-delimited text, 2 the shapefile
// after its projection check, 3 KML. `decimalSeparator` is the one the numbers of
// a shapefile are written with (the user's locale; '.' on the command line).
// Every refusal is a FileError carrying the text for the user, after which the
// caller does nothing more: a shapefile whose ".prj" describes a projected
// system throws NoGeographicCoordinatesMessage ("Erro! No geographic
// coordinates") with the table unchanged except its headings; an unknown filter
// index throws before anything changes.
OpenOutcome OpenVertexFile(int filterIndex, const std::string& path, VertexTable& t,
                           char decimalSeparator);

} // namespace sw

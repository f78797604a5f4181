#pragma once

// The vertex dialog's "Open" as one core operation, shared by the dialog, the
// command-line tool and drag and drop. Which formats exist and how each is read
// is the format registry's business.

#include "exchange/FormatRegistry.h"
#include "exchange/Modules.h"
#include "exchange/VertexTable.h"

#include <filesystem>
#include <string>

namespace sw {

// The open box position of the format a file's extension selects,
// case-insensitively; None when the open box offers no format for it.
OpenFilter FilterIndexForPath(const std::filesystem::path& path);

// The open box position a file is read by. What its first bytes say comes
// first (a shapefile's file code, markup for KML), then its extension; the
// position the user chose in the open box is only a hint, taken for a file
// neither names. A file that cannot be read yet gives the hint too: its reader
// then says what is wrong with it.
OpenFilter ReadingFilter(const std::filesystem::path& path, OpenFilter hint);

// Whether the format at an open box position fills the decimal-degree layout
// (every one but the vertex text file).
bool FilterUsesDecimalMode(OpenFilter filterIndex);

// Lays the table out for the format's mode (SetGrid), then reads by the format,
// not the file's extension. Every refusal is a FileError carrying the text for
// the user, after which the caller does nothing more: a shapefile whose ".prj"
// describes a projected system throws NoGeographicCoordinatesMessage ("Erro! No
// geographic coordinates") with the table unchanged except its headings.
OpenOutcome OpenVertexFile(const InputFormat& format, const std::filesystem::path& path,
                           VertexTable& t, char decimalSeparator, const Modules& modules);

// Why a file that was read without a refusal gave nothing to compute, for
// telling the user; empty when the table `t` it filled holds vertices. A
// shapefile whose header is not a shapefile's, whose shapes are not polylines
// or polygons or whose first shape is empty, and a file without coordinates
// (a KML file without a coordinate list, an empty text file) read nothing.
std::string NothingReadReason(const InputFormat& format, const std::filesystem::path& path,
                              const VertexTable& t);

// The same for the format at an open box position; a position the box does not
// have throws before anything changes.
OpenOutcome OpenVertexFile(OpenFilter filterIndex, const std::filesystem::path& path,
                           VertexTable& t, char decimalSeparator, const Modules& modules);

} // namespace sw

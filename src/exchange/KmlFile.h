#pragma once

// KML export of the touched sheets and KML import of coordinate lists.

#include "coverage/LayoutGeometry.h"
#include "coverage/SheetGrid.h"
#include "exchange/VertexTable.h"
#include "index/Settings.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace sw {

// The whole document WriteKmlFile writes: the fixed style header, then for every
// IN sheet in list order a centre point and an outline placemark, CR LF line ends,
// coordinates with at most 15 significant digits and '.' whatever the locale.
// Sheet positions are planned from the grid and zoom, not taken from a drawing.
std::string KmlDocument(const Settings& s, const SheetGrid& g);

// About the bytes of KmlDocument (exact when all sheet numbers and coordinates
// have as many characters as the first IN sheet's), for size warnings, with the
// layout already planned for the grid (PlanLayout).
uint64_t KmlFileBytesEstimate(const Settings& s, const SheetGrid& g, const LayoutGeometry& plan);

// The file WriteKmlFile writes: `path` with its extension replaced by ".kml"
// (appended when there is none), or `path` itself when it names a FIFO,
// character device or socket (/dev/stdout), which is written in place.
std::string KmlFileName(const std::filesystem::path& path);
// The same as the one-file list an output format gives.
std::vector<std::string> KmlFileNames(const std::filesystem::path& path);

// Writes KmlDocument to KmlFileName(path), streamed in blocks with bounded memory. Throws FileError
// with "Cannot create file "%s". %s" or the runtime's I/O text; a failed write
// leaves an existing file untouched.
void WriteKmlFile(const std::filesystem::path& path, const Settings& s, const SheetGrid& g);
void WriteKmlFile(const std::filesystem::path& path, const Settings& s, const SheetGrid& g,
                  const LayoutGeometry& plan);

// Reads every <coordinates> list of a KML text into the table in decimal-degree
// layout: one row per tuple from row 1 on (column 0 the row number, column 1 the
// latitude, column 2 the longitude, copied as text), and one empty numbered row
// after each list. The row counter runs across all lists; the row count only
// grows. Tuples are separated by any run of blanks, tabs or line ends, and the
// list may share the tags' lines or span several lines; a tuple without altitude
// still gives its latitude. VertexCount is the rows written less two, plus one
// when the file's last list has two or more tuples and does not end on its first
// one (an open line string keeps its last vertex); IsPolygon is set to 1.
// The text ends at a byte 0x1A.
void ReadKmlText(std::string_view text, VertexTable& t);

// ReadKmlText on a file's contents. A file that cannot be opened or read throws
// FileError with the runtime's text ("File not found", "File access denied");
// the table is then unchanged.
void ReadKmlFile(const std::filesystem::path& path, VertexTable& t);

} // namespace sw

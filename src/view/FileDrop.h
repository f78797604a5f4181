#pragma once

// Files dropped on the main window: which drops are taken and the status texts
// about them. A vertex text file is opened by the vertex dialog's own "Open";
// any other file by "Open layer" (view/OpenLayer.h), since GDAL knows formats by
// their content as well as by their extensions.

#include "index/Settings.h"

#include <QString>

#include <cstdint>
#include <filesystem>

class QMimeData;

namespace sw {
class VertexTable;
struct InputFormat;
} // namespace sw

namespace sw::gui {

// How the vertex dialog took a file it was given.
enum class DroppedOpen {
    Refused, // a message has been shown; nothing changed
    Read,    // the file filled the table
    NotRead, // a shapefile without its ".prj": marked as opened, nothing read
};

struct DropRequest {
    std::filesystem::path path;          // the local file to open; empty when refused
    const InputFormat* format = nullptr; // the reader its extension selects, if any
    QString refusal;                     // why the drop is not taken; empty when it is
};

inline const char* const DropOneFileText = "Drop one file at a time";
inline const char* const DropLocalFileText = "Only files on this computer can be opened";

// One local file; anything else (no files, several, a remote address) is
// refused with its reason. Whether the file can be read is told once it is read.
DropRequest ReadDrop(const QMimeData* mime);

// The reader for a path, chosen by its extension: null for a path none takes.
const InputFormat* DropFormat(const std::filesystem::path& path);

struct DroppedFile {
    DataKind DataType = DataKind::Polyline; // the data type the opened file gives
    QString Status;                         // the status bar text that says what was done
};

// After the dialog took the file (`outcome` not Refused): Polygon when a
// format that tells rings filled the table with one, Polyline otherwise (a
// text file holds no ring, whatever an earlier file left in the table). A file
// that filled nothing keeps Polygon and turns Point into Polyline, so "Sheet No."
// brings back the vertex dialog. The status names the file without its folder:
// "Opened route.txt as a polyline".
DroppedFile ConcludeDrop(DroppedOpen outcome, const InputFormat& format, const VertexTable& table,
                         DataKind currentDataType, const std::filesystem::path& path);

} // namespace sw::gui

#pragma once

// "Save Layout": the four entries of the save dialog and what each writes. The
// format follows the chosen entry, not the extension typed in the name.

#include "coverage/SheetGrid.h"
#include "index/Settings.h"

#include <QImage>
#include <QStringList>

#include <string>

namespace sw {

// One-based positions of the entries, in the dialog's order.
enum SaveFilter : int { KmlFilter = 1, ShapeFilter = 2, JpgFilter = 3, BitmapFilter = 4 };

// The dialog's entries: "KML File (*.kml)", "Shape File (*.shp)", "JPG File
// (*.jpg)", "Bitmap File (*.bmp)".
QStringList SaveFilters();

inline constexpr const char* NoLayoutToSaveMessage =
    "There is no layout to save. Enter a feature first.";

// A picture name typed without extension gets the chosen entry's (".jpg" or
// ".bmp"); any other name is kept exactly as typed.
std::string PictureFileName(const std::string& path, int filter);

// Writes the layout as the entry `filter` says: KML and shapefile from the
// sheet list, JPEG and bitmap from `image` (which must not be null for them).
// Any other position writes nothing. Throws FileError with the message to show.
void SaveLayout(int filter, const std::string& path, const Settings& s, const SheetGrid& g,
                const QImage& image);

} // namespace sw

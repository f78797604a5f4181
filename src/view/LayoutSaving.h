#pragma once

// "Save Layout": what each entry of the save dialog writes. The entries and
// their order come from the format registry; the format follows the chosen
// entry, not the extension typed in the name.

#include "coverage/SheetGrid.h"
#include "exchange/FormatRegistry.h"
#include "index/Settings.h"

#include <QImage>
#include <QStringList>

#include <string>

namespace sw::gui {

// The dialog's entries: "KML File (*.kml)", "Shape File (*.shp)", "JPG File
// (*.jpg)", "Bitmap File (*.bmp)".
QStringList SaveFilters();

inline constexpr const char* NoLayoutToSaveMessage =
    "There is no layout to save. Enter a feature first.";

// True when the entry at the one-based position `filter` saves a picture of the
// layout (and so needs a drawn image).
bool SaveFilterIsPicture(SaveFilter filter);

// A picture name typed without extension gets the chosen entry's (".jpg" or
// ".bmp"); any other name is kept exactly as typed.
std::string PictureFileName(const std::string& path, SaveFilter filter);

// Writes the layout as the entry `filter` says: KML and shapefile from the
// sheet list, pictures from `image` (which must not be null for them). Any
// other position writes nothing. Throws FileError with the message to show.
void SaveLayout(SaveFilter filter, const std::string& path, const Settings& s, const SheetGrid& g,
                const QImage& image);

} // namespace sw::gui

#pragma once

// "Save Layout": what each entry of the save dialog writes. The entries and
// their order come from the format registry; the format follows the chosen
// entry, not the extension typed in the name.

#include "coverage/Feature.h"
#include "coverage/LayoutGeometry.h"
#include "coverage/SheetGrid.h"
#include "exchange/FormatRegistry.h"
#include "index/Settings.h"

#include <QImage>
#include <QString>
#include <QStringList>
#include <filesystem>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

class QWidget;

namespace sw::gui {

// The dialog's entries: "KML File (*.kml)", "Shape File (*.shp)", "JPG File
// (*.jpg)", "Bitmap File (*.bmp)", then "PDF File (*.pdf)" and the GIS formats.
QStringList SaveFilters();

inline constexpr const char* NoLayoutToSaveMessage =
    "There is no layout to save. Enter a feature first.";

// True when the entry at the one-based position `filter` saves a picture of the
// drawn layout (JPEG, bitmap) and so needs the image. The PDF is drawn from the
// sheet list itself.
bool SaveFilterIsPicture(SaveFilter filter);

// The name an entry writes: a name typed without extension gets the chosen
// entry's (".jpg", ".bmp", ".pdf", ".gpkg", …); any other name is kept exactly
// as typed. KML and shapefile names are left to their writers, which put their
// own extensions on.
std::filesystem::path SaveFileName(const std::filesystem::path& path, SaveFilter filter);

// What a save is made from.
struct LayoutToSave {
    const Settings& settings;
    const Feature& feature; // a GeoPackage's "feature" layer, the PDF's title
    const SheetGrid& grid;
    const QImage* image = nullptr;         // the drawn layout; null when none could be made
    std::filesystem::path InputFileName{}; // the PDF's title names it for a line or polygon
    QString Date{};                        // the PDF's title date; today when empty
    // The layout planned for the grid at the settings' zoom, shared with the
    // size question; null: the writers plan it.
    const LayoutGeometry* plan = nullptr;
};

// Writes the layout as the entry `filter` says: KML, shapefile, PDF and the GIS
// formats from the sheet list, pictures from the image (which must be there for
// them) with a world file, a ".prj" and an ".aux.xml" beside them so GIS
// programs place them. Any other position writes nothing. Throws FileError (or
// ComputeError for a PDF no page could hold) with the message to show.
void SaveLayout(SaveFilter filter, const std::filesystem::path& path, const LayoutToSave& layout);
void SaveLayout(SaveFilter filter, const std::filesystem::path& path, const Settings& s,
                const SheetGrid& g, const QImage& image);

// The question asked before a save estimated over `thresholdBytes`, naming the
// file and the estimate: "\"/maps/grid.kml\" will be about 4.5 GB. Write it?".
// Empty when the save is smaller or not estimated.
QString LargeSaveQuestion(SaveFilter filter, const std::filesystem::path& path, const Settings& s,
                          const SheetGrid& g, uint64_t thresholdBytes,
                          const LayoutGeometry* plan = nullptr);

// How the window asks that question: the threshold and the asking, a Yes/No
// box by default (tests answer it themselves).
struct LargeSaveCheck {
    uint64_t ThresholdBytes;
    std::function<bool(QWidget* parent, const QString& question)> Ask;
};
LargeSaveCheck DefaultLargeSaveCheck();

} // namespace sw::gui

#include "exchange/FileError.h"
#include "exchange/FileNames.h"
#include "exchange/FileReading.h"
#include "exchange/GisBackend.h"
#include "exchange/InputLimits.h"
#include "exchange/Modules.h"
#include "exchange/SafeFile.h"
#include "exchange/ShapeFile.h"

#include <filesystem>
#include <system_error>

namespace sw {

ProjectionCheck CheckShapefileProjection(const std::filesystem::path& shpPath,
                                         const Modules& modules) {
    const std::string prj = ReplaceExtension(shpPath.string(), ".prj");
    std::error_code ec;
    if (!std::filesystem::exists(prj, ec)) {
        return ProjectionCheck::Missing;
    }
    const std::string text = ReadWholeFile(prj, ReadFailureText::Runtime, MaxPrjBytes);
    const std::string_view firstLine = std::string_view(text).substr(0, text.find_first_of("\r\n"));
    // The well-known-text keywords of the files GIS programs have always written
    // (WKT1 and its ESRI form, the whole definition on the first line) settle it
    // here as they always have.
    if (firstLine.find("PROJCS") != std::string_view::npos) {
        return ProjectionCheck::Projected;
    }
    if (firstLine.find("GEOGCS") != std::string_view::npos) {
        return ProjectionCheck::Geographic;
    }
    // Anything else (WKT2's GEOGCRS and PROJCRS, a definition over several lines)
    // is read by the GIS backend's parser; a text it cannot understand either is
    // refused rather than taken for longitudes and latitudes.
    switch (modules.Gis.Get().ClassifyProjection(text)) {
    case ProjectionKind::Geographic:
        return ProjectionCheck::Geographic;
    case ProjectionKind::Projected:
        return ProjectionCheck::Projected;
    case ProjectionKind::Unknown:
        break;
    }
    throw FileError("Cannot read \"" + prj +
                    "\": its coordinate system is not understood (WKT1, ESRI WKT or WKT2 "
                    "is read)");
}

} // namespace sw

#pragma once

// Georeferencing beside a layout picture: a world file (six lines: pixel width,
// two rotation terms, pixel height, and the centre of the top-left pixel) and a
// WGS 84 ".prj", so GIS programs place the picture on the map. The layout is
// linear in longitude and latitude: a cell is SheetWidthSec wide over CellWidth
// pixels and SheetHeightSec high over CellHeight pixels, the grid's north-west
// corner at the pixel edge (GridOriginX, GridOriginY).

#include "coverage/SheetGrid.h"
#include "exchange/SafeFile.h"
#include "index/Settings.h"

#include <filesystem>
#include <string>

namespace sw {

struct WorldTransform {
    double PixelWidth = 0;  // degrees of longitude per pixel, eastward
    double PixelHeight = 0; // degrees of latitude per pixel, negative (Y grows southward)
    double CentreX = 0;     // longitude of the centre of the top-left pixel
    double CentreY = 0;     // latitude of the centre of the top-left pixel
};

// The transform of the picture PlanLayout gives for the settings' zoom.
WorldTransform LayoutWorldTransform(const Settings& s, const SheetGrid& g);

// The six lines, each ended by a line feed, numbers with '.' whatever the locale.
std::string WorldFileText(const WorldTransform& t);

// The world file's name beside `picturePath`: the extension's first and last
// letters followed by 'w' (".jpg" gives ".jgw", ".bmp" gives ".bpw"), ".wld"
// when the name has no extension.
std::string WorldFileName(const std::filesystem::path& picturePath);

// The coordinate system in well-known text with its EPSG authority (4326),
// escaped for an XML element.
inline constexpr const char* Wgs84WktXmlText =
    "GEOGCS[&quot;WGS 84&quot;,DATUM[&quot;WGS_1984&quot;,SPHEROID[&quot;WGS 84&quot;,6378137,"
    "298.257223563,AUTHORITY[&quot;EPSG&quot;,&quot;7030&quot;]],AUTHORITY[&quot;EPSG&quot;,"
    "&quot;6326&quot;]],PRIMEM[&quot;Greenwich&quot;,0,AUTHORITY[&quot;EPSG&quot;,&quot;8901&quot;]"
    "],"
    "UNIT[&quot;degree&quot;,0.0174532925199433,AUTHORITY[&quot;EPSG&quot;,&quot;9122&quot;]],"
    "AXIS[&quot;Latitude&quot;,NORTH],AXIS[&quot;Longitude&quot;,EAST],AUTHORITY[&quot;EPSG&quot;,"
    "&quot;4326&quot;]]";

// The GDAL side-car "<picture>.aux.xml" naming that system: GDAL-based programs
// read a picture's coordinate system from it rather than from the ".prj".
std::string PamText();

// Stages the world file, the ".prj" (the picture's extension replaced, or
// appended) and the ".aux.xml" beside `picturePath` as members of `set`, to be
// put in place with the picture itself, so that a failure never leaves a
// picture beside another picture's georeferencing.
void AddWorldFiles(FileSet& set, const std::filesystem::path& picturePath, const Settings& s,
                   const SheetGrid& g);

// Writes those three files as one set. Throws FileError like every writer.
void WriteWorldFiles(const std::filesystem::path& picturePath, const Settings& s,
                     const SheetGrid& g);

} // namespace sw

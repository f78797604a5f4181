#include "cli/SheetsInput.h"

#include "cli/CliCommon.h"

#include "exchange/FileError.h"
#include "exchange/FileNames.h"
#include "exchange/GeoJsonFile.h"
#include "exchange/KmlFile.h"
#include "exchange/OpenVertexFile.h"
#include "exchange/ShapeFile.h"
#include "exchange/TabDelimitedFile.h"
#include "exchange/VertexConversion.h"
#include "exchange/VertexTable.h"

#include <functional>
#include <utility>

namespace sw::cli {

namespace {

using FeatureReader = std::function<std::vector<VertexRec>(const std::string& path)>;

// The vertex file as the vertex dialog opens it under its first filter.
std::vector<VertexRec> ReadTextVertices(const std::string& path) {
    VertexTable t;
    ProcessTabDelimitedFile(path, t);
    return TableToVertices(t, false, '.');
}

// A shapefile or KML file as the vertex dialog opens it under its filter,
// numbers written and read with '.'.
std::vector<VertexRec> ReadDialogVertices(const std::string& path) {
    VertexTable t;
    const int filter = FilterIndexForPath(path);
    if (OpenVertexFile(filter, path, t, '.') == OpenOutcome::NotReadNoPrj) {
        throw InputError("the shapefile \"" + path +
                         "\" has no \".prj\" beside it; without a geographic coordinate "
                         "system it is not read");
    }
    return TableToVertices(t, FilterUsesDecimalMode(filter), '.');
}

std::vector<VertexRec> ReadGeoJsonVertices(const std::string& path) {
    VertexTable t;
    ReadGeoJsonFile(path, t, '.');
    return TableToVertices(t, true, '.');
}

// Readers by lower-case extension.
const std::vector<std::pair<std::string, FeatureReader>>& FeatureReaders() {
    static const std::vector<std::pair<std::string, FeatureReader>> readers{
        {".txt", ReadTextVertices},     {".shp", ReadDialogVertices},
        {".kml", ReadDialogVertices},   {".geojson", ReadGeoJsonVertices},
        {".json", ReadGeoJsonVertices},
    };
    return readers;
}

} // namespace

std::vector<VertexRec> ReadFeatureFile(const std::string& path) {
    const std::string ext = LowerExtension(path);
    std::string known;
    for (const auto& [e, reader] : FeatureReaders()) {
        if (e == ext) {
            try {
                return reader(path);
            } catch (const FileError& err) {
                throw InputError(err.what());
            } catch (const ConversionError& err) {
                throw InputError(path + ": " + err.what());
            }
        }
        known += (known.empty() ? "" : ", ") + e;
    }
    throw UsageError("cannot read '" + path + "': input files must end in " + known);
}

} // namespace sw::cli

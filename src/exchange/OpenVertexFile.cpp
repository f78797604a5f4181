#include "exchange/OpenVertexFile.h"

#include "exchange/FileError.h"
#include "exchange/FileNames.h"
#include "exchange/KmlFile.h"
#include "exchange/ShapeFile.h"
#include "exchange/TabDelimitedFile.h"

namespace sw {

int FilterIndexForPath(const std::string& path) {
    const std::string ext = LowerExtension(path);
    if (ext == ".txt") {
        return TextFilter;
    }
    if (ext == ".shp") {
        return ShapefileFilter;
    }
    if (ext == ".kml") {
        return KmlFilter;
    }
    return 0;
}

bool FilterUsesDecimalMode(int filterIndex) {
    return filterIndex != TextFilter;
}

OpenOutcome OpenVertexFile(int filterIndex, const std::string& path, VertexTable& t,
                           char decimalSeparator) {
    if (filterIndex < TextFilter || filterIndex > KmlFilter) {
        throw FileError("Unknown file type for \"" + path + "\"");
    }
    SetGrid(t, FilterUsesDecimalMode(filterIndex));
    switch (filterIndex) {
    case TextFilter:
        ProcessTabDelimitedFile(path, t);
        return OpenOutcome::Read;
    case ShapefileFilter:
        switch (CheckShapefileProjection(path)) {
        case ProjectionCheck::Missing:
            return OpenOutcome::NotReadNoPrj;
        case ProjectionCheck::Projected:
            throw FileError(NoGeographicCoordinatesMessage);
        case ProjectionCheck::Geographic:
            break;
        }
        ReadShpFile(path, t, decimalSeparator);
        return OpenOutcome::Read;
    default:
        ReadKmlFile(path, t);
        return OpenOutcome::Read;
    }
}

} // namespace sw

#include "exchange/ProjectionText.h"

#include <cpl_error.h>
#include <ogr_spatialref.h>

#include <string>

namespace sw {

bool ParseProjectionText(std::string_view text, OGRSpatialReference& srs) {
    // One definition, however the file ends its lines; a byte-order mark and the
    // spaces around it are not part of it.
    std::string wkt(text);
    if (wkt.rfind("\xEF\xBB\xBF", 0) == 0) {
        wkt.erase(0, 3);
    }
    for (char& c : wkt) {
        if (c == '\r' || c == '\n' || c == '\t') {
            c = ' ';
        }
    }
    const auto first = wkt.find_first_not_of(' ');
    const auto last = wkt.find_last_not_of(' ');
    if (first == std::string::npos) {
        return false;
    }
    wkt = wkt.substr(first, last - first + 1);
    CPLPushErrorHandler(CPLQuietErrorHandler);
    // No "EPSG:" look-ups through a URL and no file names: a .prj describes its
    // system itself.
    const OGRErr err = srs.SetFromUserInput(
        wkt.c_str(), OGRSpatialReference::SET_FROM_USER_INPUT_LIMITATIONS_get());
    CPLPopErrorHandler();
    return err == OGRERR_NONE && !srs.IsEmpty();
}

ProjectionKind ClassifyProjectionText(std::string_view text) {
    OGRSpatialReference srs;
    if (!ParseProjectionText(text, srs)) {
        return ProjectionKind::Unknown;
    }
    return srs.IsGeographic() != 0 ? ProjectionKind::Geographic : ProjectionKind::Projected;
}

} // namespace sw

#pragma once

// A polygon whose IN list depends on the touch resolution: a test that the list
// does not follow the window's zoom needs one, in the session and in the window.

#include "coverage/Feature.h"
#include "index/Convertions.h"

#include <vector>

namespace sw::test {

// About a degree, its vertices 7" off the 3' grid lines: under half a pixel at a
// fitted zoom, some three pixels at 70.
inline Feature NearLinesPolygon() {
    const int32_t lat0 = 28 * 3600;
    const int32_t lon0 = 77 * 3600;
    const int32_t offsets[][2] = {{187, 187}, {3427, 547}, {3247, 3427}, {367, 3067}};
    std::vector<VertexRec> vs;
    for (const auto& o : offsets) {
        vs.push_back(VertexRec{SecToDms(lat0 + o[0]), SecToDms(lon0 + o[1])});
    }
    vs.push_back(vs.front());
    return MakeVertexFeature(vs, true);
}

} // namespace sw::test

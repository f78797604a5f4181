#pragma once

// Helpers shared by the coverage tests: settings for a series and scale, features
// from seconds, and a field-by-field comparison of two computed grids.

#include "coverage/Coverage.h"
#include "index/Settings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace sw::test {

inline Settings SettingsFor(Series series, int32_t scaleIndex, int32_t zoom = 70) {
    Settings s = SettingsAt(series, scaleIndex);
    s.SheetPixelHeight = zoom;
    return s;
}

inline VertexRec V(int32_t latSec, int32_t lonSec) {
    return VertexRec{SecToDms(latSec), SecToDms(lonSec)};
}

inline int32_t Sec(int32_t deg, int32_t min = 0, int32_t sec = 0) {
    return (deg * 60 + min) * 60 + sec;
}

inline SheetGrid Compute(const Settings& s, Feature& f, Algorithm a = Algorithm::Fast,
                         std::vector<std::string>* progress = nullptr) {
    SheetGrid g;
    ComputeControl ctl;
    if (progress != nullptr) {
        ctl.progress = [progress](int32_t, const std::string& t) { progress->push_back(t); };
    }
    ComputeSheets(s, f, g, ctl, a);
    return g;
}

inline std::vector<std::string> InSheets(const SheetGrid& g) {
    std::vector<std::string> out;
    for (const SheetRec& r : g.SheetList) {
        if (r.InFlag == 1) {
            out.push_back(r.SheetNo.str());
        }
    }
    return out;
}

// Every field of both grids, and the first differing cell by position.
inline ::testing::AssertionResult SameGrid(const SheetGrid& a, const SheetGrid& b) {
    if (!(a.GridWest == b.GridWest && a.GridEast == b.GridEast && a.GridNorth == b.GridNorth &&
          a.GridSouth == b.GridSouth && a.GridCols == b.GridCols && a.GridRows == b.GridRows &&
          a.SheetCount == b.SheetCount && a.GridWestSec == b.GridWestSec &&
          a.GridNorthSec == b.GridNorthSec && a.GridOriginX == b.GridOriginX &&
          a.GridOriginY == b.GridOriginY && a.CurrentSheetNo == b.CurrentSheetNo &&
          a.InSheetCount == b.InSheetCount)) {
        return ::testing::AssertionFailure() << "grid fields differ";
    }
    if (a.SheetList.size() != b.SheetList.size()) {
        return ::testing::AssertionFailure() << "list sizes differ";
    }
    for (std::size_t i = 0; i < a.SheetList.size(); ++i) {
        const SheetRec& x = a.SheetList[i];
        const SheetRec& y = b.SheetList[i];
        if (!(x == y)) {
            return ::testing::AssertionFailure()
                   << "cell " << i << " (row " << i / static_cast<std::size_t>(a.GridCols)
                   << ", col " << i % static_cast<std::size_t>(a.GridCols)
                   << "): " << x.SheetNo.str() << " in " << int(x.InFlag) << " at " << x.X << ","
                   << x.Y << " vs " << y.SheetNo.str() << " in " << int(y.InFlag) << " at " << y.X
                   << "," << y.Y;
        }
    }
    return ::testing::AssertionSuccess();
}

} // namespace sw::test

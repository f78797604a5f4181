#include "index/SheetNumber.h"

#include "index/CheckedMath.h"

#include <algorithm>

namespace sw {

namespace {

char Letter(int32_t offset) {
    return static_cast<char>('A' + offset);
}

std::string TwoDigitNumber(int32_t n) {
    std::string s = std::to_string(n);
    return s.size() == 1 ? "0" + s : s;
}

// "N"/"S" then "E"/"W" for the half of a 15' sheet that holds the point; the
// offsets are seconds inside that sheet.
std::string Quadrant(const DmsAngle& lon, const DmsAngle& lat) {
    const int32_t s = CheckedAdd(CheckedMul(lat.Min, 60), lat.Sec) % 900;
    const int32_t t = CheckedAdd(CheckedMul(lon.Min, 60), lon.Sec) % 900;
    std::string q;
    q += s >= 450 ? 'N' : 'S';
    q += t >= 450 ? 'E' : 'W';
    return q;
}

// 1 to 16, down each column of 15' sheets and then west to east; the same in both series.
int32_t FifteenMinuteNumber(const DmsAngle& lon, const DmsAngle& lat) {
    return (59 - lat.Min) / 15 + 4 * (lon.Min / 15) + 1;
}

std::string OldMillion(const DmsAngle& lon, const DmsAngle& lat) {
    const auto position = static_cast<std::size_t>(lon.Deg / 4 - 15); // 1 for 64°E–68°E
    const int32_t n = BaseColumnNumbers.at(position - 1) + (39 - lat.Deg) / 4;
    return std::to_string(n).substr(0, 2);
}

std::string OpenMillion(const DmsAngle& lon, const DmsAngle& lat) {
    const char band = lat.Deg < 8 ? SouthernBandLetter
                                  : BandLetters.at(static_cast<std::size_t>((lat.Deg - 8) / 4));
    // Zone 42 starts at 66°E; the division rounds down so 64°E and 65°E are zone 41.
    const int32_t d = lon.Deg - 66;
    const int32_t zone = 42 + (d >= 0 ? d / 6 : -((-d + 5) / 6));
    return band + std::to_string(zone);
}

// Whole degrees of a position in seconds, rounded down also below zero.
int64_t FloorDegree(int64_t sec) {
    return sec >= 0 ? sec / 3600 : -((-sec + 3599) / 3600);
}

// The index's rectangle as the whole degrees it holds, its first and last on
// each axis (a north or east edge is the end of the degree before it); the
// cut-outs lie inside it.
constexpr int64_t IndexSouthDeg = IndexSouthSec / 3600;
constexpr int64_t IndexNorthDeg = IndexNorthSec / 3600 - 1;
constexpr int64_t IndexWestDeg = IndexWestSec / 3600;
constexpr int64_t IndexEastDeg = IndexEastSec / 3600 - 1;
static_assert(IndexSouthSec % 3600 == 0 && IndexNorthSec % 3600 == 0 && IndexWestSec % 3600 == 0 &&
                  IndexEastSec % 3600 == 0,
              "the index's edges are whole degrees");

} // namespace

bool CoveredPointOfCell(int32_t westSec, int32_t southSec, int32_t widthSec, int32_t heightSec,
                        int32_t& lonSec, int32_t& latSec) {
    if (widthSec <= 0 || heightSec <= 0) {
        return false;
    }
    // Coverage is decided by whole degrees, so the cell is covered when one of the
    // degree blocks it overlaps is; the blocks are tried from the south-west, so a
    // covered south-west corner is the point found.
    const int64_t west = westSec;
    const int64_t south = southSec;
    const int64_t latFirst = std::max(FloorDegree(south), IndexSouthDeg);
    const int64_t latLast = std::min(FloorDegree(south + heightSec - 1), IndexNorthDeg);
    const int64_t lonFirst = std::max(FloorDegree(west), IndexWestDeg);
    const int64_t lonLast = std::min(FloorDegree(west + widthSec - 1), IndexEastDeg);
    for (int64_t lat = latFirst; lat <= latLast; ++lat) {
        for (int64_t lon = lonFirst; lon <= lonLast; ++lon) {
            if (InCoverageArea(DmsAngle{static_cast<int32_t>(lon), 0, 0},
                               DmsAngle{static_cast<int32_t>(lat), 0, 0})) {
                lonSec = static_cast<int32_t>(std::max(west, lon * 3600));
                latSec = static_cast<int32_t>(std::max(south, lat * 3600));
                return true;
            }
        }
    }
    return false;
}

bool CellInCoverageArea(int32_t westSec, int32_t southSec, int32_t widthSec, int32_t heightSec) {
    int32_t lon = 0;
    int32_t lat = 0;
    return CoveredPointOfCell(westSec, southSec, widthSec, heightSec, lon, lat);
}

std::string CellSheetNumber(const Settings& s, int32_t westSec, int32_t southSec) {
    int32_t lon = 0;
    int32_t lat = 0;
    if (!CoveredPointOfCell(westSec, southSec, s.SheetWidthSec, s.SheetHeightSec, lon, lat)) {
        return OutsideSheetNo;
    }
    return SheetNumber(s, SecToDms(lon), SecToDms(lat));
}

bool InCoverageArea(const DmsAngle& lon, const DmsAngle& lat) {
    const int32_t latDeg = lat.Deg;
    const int32_t lonDeg = lon.Deg;
    if (latDeg < IndexSouthDeg || latDeg > IndexNorthDeg || lonDeg < IndexWestDeg ||
        lonDeg > IndexEastDeg) {
        return false;
    }
    if (latDeg < 20 && lonDeg < 72) {
        return false;
    }
    if (latDeg < 16 && lonDeg >= 84 && lonDeg <= 91) {
        return false;
    }
    if (latDeg < 21 && lonDeg >= 88 && lonDeg <= 91) {
        return false;
    }
    return true;
}

std::string OldSheetNumber(const Settings& s, const DmsAngle& lon, const DmsAngle& lat) {
    if (!InCoverageArea(lon, lat)) {
        return OutsideSheetNo;
    }
    if (s.ScaleIndex < 1 || s.ScaleIndex > 5) {
        return "";
    }
    std::string text = OldMillion(lon, lat);
    if (s.ScaleIndex == 1) {
        return text;
    }
    text += Letter(4 * (lon.Deg % 4) + 3 - lat.Deg % 4);
    switch (s.ScaleIndex) {
    case 2:
        return text;
    case 3:
        text += '/';
        text += lat.Min >= 30 ? 'N' : 'S';
        text += lon.Min >= 30 ? 'E' : 'W';
        return text;
    default:
        break;
    }
    text += '/' + std::to_string(FifteenMinuteNumber(lon, lat));
    if (s.ScaleIndex == 5) {
        text += '/' + Quadrant(lon, lat);
    }
    return text;
}

std::string OpenSheetNumber(const Settings& s, const DmsAngle& lon, const DmsAngle& lat) {
    if (!InCoverageArea(lon, lat)) {
        return OutsideSheetNo;
    }
    if (s.ScaleIndex < 1 || s.ScaleIndex > 6) {
        return "";
    }
    std::string text = OpenMillion(lon, lat);
    if (s.ScaleIndex == 1) {
        return text;
    }
    text += Letter(lon.Deg % 6 + 6 * (3 - lat.Deg % 4));
    if (s.ScaleIndex == 2) {
        return text;
    }
    text += TwoDigitNumber(FifteenMinuteNumber(lon, lat));
    if (s.ScaleIndex == 3) {
        return text;
    }
    if (s.ScaleIndex == 4) {
        return text + '/' + Quadrant(lon, lat);
    }
    // 1:10,000 and 1:2000 build on the 1:50,000 number, not on 1:25,000.
    text += Letter((lon.Min % 15) / 3 + 5 * (4 - (lat.Min % 15) / 3));
    if (s.ScaleIndex == 5) {
        return text;
    }
    const int32_t r = 5 - CheckedAdd(CheckedMul(lat.Min % 3, 60), lat.Sec) / 36;
    const int32_t c = CheckedAdd(CheckedMul(lon.Min % 3, 60), lon.Sec) / 36;
    return text + TwoDigitNumber(5 * c + r);
}

std::string SheetNumber(const Settings& s, const DmsAngle& lon, const DmsAngle& lat) {
    if (s.MapSeries == Series::OldSeries) {
        return OldSheetNumber(s, lon, lat);
    }
    return OpenSheetNumber(s, lon, lat);
}

} // namespace sw

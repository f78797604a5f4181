// Number and its batch form: a position in decimal degrees to the number of the
// sheet that holds it, through the same conversion and rules as the command
// line's `number`.
//
// The batch form numbers through one GridNumberer laid over the whole index, the
// numberer the sheets of a feature are numbered with: its row and column terms
// are worked out once, so a number costs a lookup and a few characters instead
// of a string built part by part. That holds for every scale whose sheets lie
// inside one whole degree, where the cell's south-west corner and the position
// fall under the same coverage rules; the 1:1M sheets, which straddle the
// index's cut-outs, are numbered at the position itself.

#include "api/ApiSettings.h"

#include "coverage/CellNumbering.h"
#include "index/CheckedMath.h"
#include "index/SheetNumber.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace sheetwright {

namespace {

using sw::IndexEastSec;
using sw::IndexNorthSec;
using sw::IndexSouthSec;
using sw::IndexWestSec;

// Beyond a full turn no conversion is needed to know a position lies outside the
// index; inside it the command line's range of decimal degrees applies.
bool WithinTurn(double v) {
    return std::isfinite(v) && v >= 0.0 && v <= 360.0;
}

// The number, or "" for a position outside the index.
std::string NumberAt(const sw::Settings& s, double lat, double lon) {
    if (!WithinTurn(lat) || !WithinTurn(lon)) {
        return {};
    }
    // Decimal degrees can round to 60 seconds; number the normalised position,
    // as the command line does.
    const sw::DmsAngle nlat = sw::SecToDms(sw::DmsToSec(sw::DecimalToDms(lat)));
    const sw::DmsAngle nlon = sw::SecToDms(sw::DmsToSec(sw::DecimalToDms(lon)));
    std::string n = sw::SheetNumber(s, nlon, nlat);
    if (n == sw::OutsideSheetNo) {
        n.clear();
    }
    return n;
}

// Numbers positions through one numberer over every cell of the index.
class IndexNumberer {
public:
    explicit IndexNumberer(const sw::Settings& s) : s_(s), numberer_(s, IndexGrid(s)) {}

    // Writes the number (nothing outside the index) and returns its length.
    std::size_t Compose(double lat, double lon, char* out) const {
        if (!WithinTurn(lat) || !WithinTurn(lon)) {
            return 0;
        }
        const int32_t latSec = sw::DmsToSec(sw::DecimalToDms(lat));
        const int32_t lonSec = sw::DmsToSec(sw::DecimalToDms(lon));
        if (latSec < IndexSouthSec || latSec >= IndexNorthSec || lonSec < IndexWestSec ||
            lonSec >= IndexEastSec) {
            return 0;
        }
        // A sheet holds its south and west edges.
        const int32_t r = (IndexNorthSec - 1 - latSec) / s_.SheetHeightSec;
        const int32_t c = (lonSec - IndexWestSec) / s_.SheetWidthSec;
        if (!numberer_.Inside(r, c)) {
            return 0;
        }
        return numberer_.Compose(r, c, out);
    }

private:
    static sw::SheetGrid IndexGrid(const sw::Settings& s) {
        sw::SheetGrid g;
        g.GridWestSec = IndexWestSec;
        g.GridNorthSec = IndexNorthSec;
        g.GridCols = (IndexEastSec - IndexWestSec) / s.SheetWidthSec;
        g.GridRows = (IndexNorthSec - IndexSouthSec) / s.SheetHeightSec;
        return g;
    }

    sw::Settings s_;
    sw::GridNumberer numberer_;
};

// Sheets no larger than a degree: each lies inside one whole degree of both.
bool WithinOneDegree(const sw::Settings& s) {
    return s.SheetWidthSec <= 3600 && s.SheetHeightSec <= 3600 && 3600 % s.SheetWidthSec == 0 &&
           3600 % s.SheetHeightSec == 0;
}

} // namespace

std::string Number(double lat, double lon, Series series, const std::string& scale) {
    return NumberAt(detail::SettingsFor(series, scale), lat, lon);
}

void NumberBatch(const double* lat, const double* lon, std::size_t n, Series series,
                 const std::string& scale, char* out, std::size_t width) {
    if (width < NumberWidth) {
        throw Error("a number field needs " + std::to_string(NumberWidth) + " bytes, not " +
                    std::to_string(width));
    }
    const sw::Settings s = detail::SettingsFor(series, scale);
    if (WithinOneDegree(s)) {
        const IndexNumberer numberer(s);
        char number[sw::GridNumberer::MaxLength];
        for (std::size_t i = 0; i < n; ++i) {
            char* field = out + i * width;
            const std::size_t len = std::min(numberer.Compose(lat[i], lon[i], number), width - 1);
            std::memcpy(field, number, len);
            std::memset(field + len, 0, width - len);
        }
        return;
    }
    for (std::size_t i = 0; i < n; ++i) {
        char* field = out + i * width;
        const std::string number = NumberAt(s, lat[i], lon[i]);
        const std::size_t len = std::min(number.size(), width - 1);
        std::memcpy(field, number.data(), len);
        std::memset(field + len, 0, width - len);
    }
}

std::vector<std::string> Number(const std::vector<double>& lat, const std::vector<double>& lon,
                                Series series, const std::string& scale) {
    if (lat.size() != lon.size()) {
        throw Error(std::to_string(lat.size()) + " latitudes but " + std::to_string(lon.size()) +
                    " longitudes");
    }
    const sw::Settings s = detail::SettingsFor(series, scale);
    std::vector<std::string> out;
    out.reserve(lat.size());
    for (std::size_t i = 0; i < lat.size(); ++i) {
        out.push_back(NumberAt(s, lat[i], lon[i]));
    }
    return out;
}

} // namespace sheetwright

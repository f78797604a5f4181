// Number and its batch form: a position in decimal degrees to the number of the
// sheet that holds it, through the same conversion and rules as the command
// line's `number`.

#include "api/ApiSettings.h"

#include "index/CheckedMath.h"
#include "index/SheetNumber.h"

#include <cmath>
#include <cstring>

namespace sheetwright {

namespace {

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
    for (std::size_t i = 0; i < n; ++i) {
        char* field = out + i * width;
        const std::string number = NumberAt(s, lat[i], lon[i]);
        std::memcpy(field, number.data(), number.size());
        std::memset(field + number.size(), 0, width - number.size());
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

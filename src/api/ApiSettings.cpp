#include "api/ApiSettings.h"

#include <optional>

namespace sheetwright {

Error::Error(const std::string& what) : std::runtime_error(what) {}

namespace {

sw::Series CoreSeries(Series series) {
    switch (series) {
    case Series::Old:
        return sw::Series::OldSeries;
    case Series::Open:
        return sw::Series::OpenSeries;
    }
    throw Error("unknown series " + std::to_string(static_cast<int>(series)) + ": use old or open");
}

} // namespace

Series ParseSeries(const std::string& name) {
    const std::optional<sw::Series> series = sw::SeriesNamed(name);
    if (!series) {
        throw Error(sw::UnknownSeriesText(name));
    }
    return *series == sw::Series::OldSeries ? Series::Old : Series::Open;
}

std::vector<std::string> Scales(Series series) {
    return sw::ScaleCaptions(CoreSeries(series));
}

const char* VersionText() {
    return SHEETWRIGHT_VERSION_TEXT;
}

namespace detail {

sw::Settings SettingsFor(Series series, const std::string& scale) {
    const sw::Series s = CoreSeries(series);
    const int32_t index = sw::FindScale(s, scale);
    if (index <= 0) {
        throw Error(sw::UnknownScaleText(s, scale));
    }
    return sw::SettingsAt(s, index);
}

double SecToDegrees(int32_t seconds) {
    return static_cast<double>(seconds) / 3600.0;
}

Box CellBox(const sw::Settings& s, const sw::SheetGrid& g, int32_t r, int32_t c) {
    const int64_t west = int64_t{g.GridWestSec} + int64_t{c} * s.SheetWidthSec;
    const int64_t north = int64_t{g.GridNorthSec} - int64_t{r} * s.SheetHeightSec;
    return {
        static_cast<double>(west) / 3600.0, static_cast<double>(north - s.SheetHeightSec) / 3600.0,
        static_cast<double>(west + s.SheetWidthSec) / 3600.0, static_cast<double>(north) / 3600.0};
}

} // namespace detail

} // namespace sheetwright

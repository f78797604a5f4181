#include "api/ApiSettings.h"

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

const char* SeriesName(Series series) {
    return series == Series::Old ? "old" : "open";
}

} // namespace

Series ParseSeries(const std::string& name) {
    if (name == "old") {
        return Series::Old;
    }
    if (name == "open") {
        return Series::Open;
    }
    throw Error("unknown series '" + name + "': use old or open");
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
        std::string list;
        for (const auto& c : sw::ScaleCaptions(s)) {
            list += (list.empty() ? "" : ", ") + c;
        }
        throw Error("unknown scale '" + scale + "' for the " + SeriesName(series) +
                    " series; valid scales: " + list);
    }
    return sw::SettingsAt(s, index);
}

double SecToDegrees(int32_t seconds) {
    return static_cast<double>(seconds) / 3600.0;
}

} // namespace detail

} // namespace sheetwright

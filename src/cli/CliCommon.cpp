#include "cli/CliCommon.h"

#include "index/Settings.h"

#include <CLI/CLI.hpp>

#include <charconv>
#include <cmath>
#include <optional>
#include <vector>

namespace sw::cli {

Series ParseSeries(const std::string& text) {
    if (const std::optional<Series> series = SeriesNamed(text)) {
        return *series;
    }
    throw UsageError(UnknownSeriesText(text));
}

int32_t ParseScale(Series series, const std::string& text) {
    const int32_t index = FindScale(series, text);
    if (index > 0) {
        return index;
    }
    throw UsageError(UnknownScaleText(series, text));
}

Settings ParseSettings(const std::string& series, const std::string& scale) {
    const Series s = ParseSeries(series);
    return SettingsAt(s, ParseScale(s, scale));
}

void AddSeriesOption(CLI::App& cmd, std::string& series) {
    cmd.add_option("--series", series, "Numbering series: old or open")->required();
}

void AddScaleOption(CLI::App& cmd, std::string& scale) {
    cmd.add_option("--scale", scale,
                   "Scale as the scale box shows it (1:50,000, 1:2,50,000, 1:2000) or the same "
                   "digits without separators (1:50000)")
        ->required();
}

namespace {

bool ParseWhole(const std::string& text, int32_t& out) {
    const char* first = text.data();
    const char* last = first + text.size();
    const auto [ptr, ec] = std::from_chars(first, last, out);
    return ec == std::errc() && ptr == last && !text.empty();
}

std::vector<std::string> SplitColons(const std::string& text) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t colon = text.find(':', start);
        parts.push_back(text.substr(start, colon - start));
        if (colon == std::string::npos) {
            return parts;
        }
        start = colon + 1;
    }
}

} // namespace

DmsAngle ParseAngle(const std::string& text, const std::string& what, double* fraction) {
    if (fraction != nullptr) {
        *fraction = 0;
    }
    const auto bad = [&]() {
        return UsageError("invalid " + what + " '" + text +
                          "': use D:M:S with whole numbers (28:36:50) or decimal degrees "
                          "(28.6139)");
    };
    if (text.find(':') != std::string::npos) {
        const auto parts = SplitColons(text);
        if (parts.size() != 3) {
            throw bad();
        }
        DmsAngle a;
        if (!ParseWhole(parts[0], a.Deg) || !ParseWhole(parts[1], a.Min) ||
            !ParseWhole(parts[2], a.Sec)) {
            throw bad();
        }
        if (a.Deg < 0 || a.Min < 0 || a.Min > 59 || a.Sec < 0 || a.Sec > 59 || a.Deg > 360) {
            throw UsageError("invalid " + what + " '" + text +
                             "': degrees 0 to 360, minutes and seconds 0 to 59");
        }
        return a;
    }
    double value = 0;
    const char* first = text.data();
    const char* last = first + text.size();
    const auto [ptr, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || ptr != last || text.empty() || !std::isfinite(value)) {
        throw bad();
    }
    if (value < 0 || value > 360) {
        throw UsageError("invalid " + what + " '" + text + "': decimal degrees 0 to 360");
    }
    const DmsAngle a = DecimalToDms(value);
    if (fraction != nullptr) {
        *fraction = value * 3600.0 - static_cast<double>(DmsToSec(a));
    }
    return a;
}

} // namespace sw::cli

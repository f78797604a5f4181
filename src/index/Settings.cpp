#include "index/Settings.h"

#include "index/CheckedMath.h"

#include <algorithm>

namespace sw {

namespace {

// Sheet sides of the 1:1M sheet of each series and the divisor for each finer
// scale; the quotients are exact for every listed position.
constexpr int32_t OldBaseSideSec = 14400;
constexpr int32_t OpenBaseWidthSec = 21600;
constexpr int32_t OpenBaseHeightSec = 14400;

int32_t OldDivisor(uint8_t scale) {
    switch (scale) {
    case 2:
        return 4;
    case 3:
        return 8;
    case 4:
        return 16;
    case 5:
        return 32;
    default:
        return 1;
    }
}

int32_t OpenDivisor(uint8_t scale) {
    switch (scale) {
    case 2:
        return 6;
    case 3:
        return 24;
    case 4:
        return 48;
    case 5:
        return 120;
    case 6:
        return 600;
    default:
        return 1;
    }
}

std::string DigitsOnly(const std::string& caption) {
    std::string out;
    std::copy_if(caption.begin(), caption.end(), std::back_inserter(out),
                 [](char c) { return c != ',' && c != ' '; });
    return out;
}

} // namespace

void ApplyScale(Settings& s, uint8_t scale) {
    if (s.MapSeries == Series::OldSeries) {
        s.SheetWidthSec = RoundHalfEven(static_cast<double>(OldBaseSideSec) / OldDivisor(scale));
        s.SheetHeightSec = s.SheetWidthSec;
    } else if (s.MapSeries == Series::OpenSeries) {
        const int32_t divisor = OpenDivisor(scale);
        s.SheetWidthSec = RoundHalfEven(static_cast<double>(OpenBaseWidthSec) / divisor);
        if (scale == 1) {
            s.SheetHeightSec = RoundHalfEven(static_cast<double>(OpenBaseHeightSec) / divisor);
        } else {
            s.SheetHeightSec = s.SheetWidthSec;
        }
    }
}

void ApplyLabelSize(Settings& s) {
    if (s.MapSeries == Series::OldSeries) {
        s.LabelFontSize = s.ScaleIndex <= 4 ? 11 : 9;
    } else if (s.MapSeries == Series::OpenSeries) {
        s.LabelFontSize = s.ScaleIndex <= 3 ? 9 : 7;
    }
}

int32_t SheetPixelWidth(int32_t sheetWidthSec, int32_t sheetHeightSec, int32_t sheetPixelHeight) {
    return RoundHalfEven(static_cast<double>(sheetWidthSec) / static_cast<double>(sheetHeightSec) *
                         static_cast<double>(sheetPixelHeight));
}

int32_t SheetPixelWidth(const Settings& s) {
    return SheetPixelWidth(s.SheetWidthSec, s.SheetHeightSec, s.SheetPixelHeight);
}

int32_t DrawnLabelFontSize(const Settings& s) {
    return RoundHalfEven(static_cast<double>(s.LabelFontSize) * s.SheetPixelHeight / 70.0);
}

const std::vector<std::string>& SeriesCaptions() {
    static const std::vector<std::string> captions{"OLD MAPS  (Topographical Maps)",
                                                   "NEW MAPS- (Open Series Maps)"};
    return captions;
}

const std::vector<std::string>& ScaleCaptions(Series series) {
    static const std::vector<std::string> old{"1:1M", "1:2,50,000", "1:1,25,000", "1:50,000",
                                              "1:25,000"};
    static const std::vector<std::string> open{"1:1M",     "1:2,50,000", "1:50,000",
                                               "1:25,000", "1:10,000",   "1:2000"};
    static const std::vector<std::string> none;
    if (series == Series::OldSeries) {
        return old;
    }
    if (series == Series::OpenSeries) {
        return open;
    }
    return none;
}

int32_t RemapScaleIndex(int32_t scaleIndex, Series newSeries) {
    if (newSeries == Series::OldSeries) {
        if (scaleIndex > 2) {
            scaleIndex = CheckedAdd(scaleIndex, 1);
        }
        const auto count = static_cast<int32_t>(ScaleCaptions(Series::OldSeries).size());
        return std::min(scaleIndex, count);
    }
    if (newSeries == Series::OpenSeries && scaleIndex > 2) {
        return scaleIndex - 1;
    }
    return scaleIndex;
}

std::string ToShortString(const std::string& text) {
    return text.substr(0, ShortStringMax);
}

void SelectScale(Settings& s, int32_t scaleIndex) {
    const auto& captions = ScaleCaptions(s.MapSeries);
    const bool listed = scaleIndex >= 1 && scaleIndex <= static_cast<int32_t>(captions.size());
    s.ScaleIndex = listed ? scaleIndex : 0;
    ApplyScale(s, static_cast<uint8_t>(std::clamp(s.ScaleIndex, 0, 255)));
    ApplyLabelSize(s);
    s.ScaleText = listed ? ToShortString(captions[static_cast<std::size_t>(scaleIndex - 1)]) : "";
}

void SelectSeries(Settings& s, Series series) {
    s.ScaleIndex = RemapScaleIndex(s.ScaleIndex, series);
    s.MapSeries = series;
    SelectScale(s, s.ScaleIndex);
    ApplyLabelSize(s);
}

Settings StartSettings() {
    Settings s;
    s.ScaleIndex = 3;
    s.MapSeries = Series::OldSeries;
    ApplyScale(s, 3);
    s.SheetPixelHeight = DefaultSheetPixelHeight;
    SelectSeries(s, Series::OldSeries);
    s.DataType = DataKind::Point;
    return s;
}

Settings SettingsAt(Series series, int32_t scaleIndex) {
    Settings s = StartSettings();
    SelectSeries(s, series);
    SelectScale(s, scaleIndex);
    return s;
}

int32_t FindScale(Series series, const std::string& caption) {
    const auto& captions = ScaleCaptions(series);
    for (std::size_t i = 0; i < captions.size(); ++i) {
        if (captions[i] == caption || DigitsOnly(captions[i]) == DigitsOnly(caption)) {
            return static_cast<int32_t>(i + 1);
        }
    }
    return 0;
}

const char* SeriesName(Series series) {
    switch (series) {
    case Series::OldSeries:
        return "old";
    case Series::OpenSeries:
        return "open";
    }
    return "";
}

std::optional<Series> SeriesNamed(std::string_view name) {
    for (const Series series : {Series::OldSeries, Series::OpenSeries}) {
        if (name == SeriesName(series)) {
            return series;
        }
    }
    return std::nullopt;
}

std::string UnknownSeriesText(std::string_view given) {
    return "unknown series '" + std::string(given) + "': use old or open";
}

std::string UnknownScaleText(Series series, std::string_view given) {
    std::string list;
    for (const std::string& caption : ScaleCaptions(series)) {
        list += (list.empty() ? "" : ", ") + caption;
    }
    return "unknown scale '" + std::string(given) + "' for the " + SeriesName(series) +
           " series; valid scales: " + list;
}

} // namespace sw

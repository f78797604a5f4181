#pragma once

// The series and scale settings, the sheet size they fix and the zoom. One
// instance is owned by whoever drives a request (the main window, a CLI run) and
// passed to the operations that read or write it.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sw {

// The map series; the values are those the series box items and stored settings
// use. Any other value is no series: the rules that depend on it leave their
// results unchanged.
enum class Series : uint8_t { OldSeries = 1, OpenSeries = 2 };

// The kind of feature the user enters next; its value less one is the radio item
// of the data type dialog.
enum class DataKind : uint8_t { Point = 1, Polyline = 2, Polygon = 3 };

// Zoom bounds of the commands; the step of every zoom change.
inline constexpr int32_t MinSheetPixelHeight = 5;
inline constexpr int32_t MaxSheetPixelHeight = 140;
inline constexpr int32_t ZoomStep = 5;
inline constexpr int32_t DefaultSheetPixelHeight = 70;

// Sheet numbers and the scale caption are short strings of at most this many characters.
inline constexpr std::size_t ShortStringMax = 20;

struct Settings {
    Series MapSeries = Series::OldSeries;
    int32_t ScaleIndex = 4; // 1-based position in the current series' scale list
    int32_t SheetWidthSec = 900;
    int32_t SheetHeightSec = 900;
    int32_t LabelFontSize = 11; // label size at zoom 70
    std::string ScaleText = "1:50,000";
    DataKind DataType = DataKind::Point;
    int32_t SheetPixelHeight = DefaultSheetPixelHeight;
};

// Sheet size in seconds for the scale position `scale` of the current series.
// A position outside the list gives the series' 1:1M width as a square sheet.
void ApplyScale(Settings& s, uint8_t scale);

// Label size for the current series and ScaleIndex.
void ApplyLabelSize(Settings& s);

// round(SheetWidthSec / SheetHeightSec * SheetPixelHeight), a half to even.
int32_t SheetPixelWidth(const Settings& s);
int32_t SheetPixelWidth(int32_t sheetWidthSec, int32_t sheetHeightSec, int32_t sheetPixelHeight);

// Label font size actually drawn: round(LabelFontSize * SheetPixelHeight / 70).
int32_t DrawnLabelFontSize(const Settings& s);

// The two captions of the series box, item 0 (old) then item 1 (open).
const std::vector<std::string>& SeriesCaptions();

// Captions of the scale box of a series, in list order; empty for another value.
const std::vector<std::string>& ScaleCaptions(Series series);

// ScaleIndex after switching to `newSeries`, keeping the same map scale where both
// lists have it. The open-series scales finer than 1:25,000 have no old
// counterpart; they map to the old series' finest scale, 1:25,000, so that a
// switch never leaves an empty selection.
int32_t RemapScaleIndex(int32_t scaleIndex, Series newSeries);

// The scale switch on the settings: ScaleIndex := position, sheet and label size
// applied, ScaleText := the caption cut to 20 characters (empty for a position
// outside the list). Does not compute anything.
void SelectScale(Settings& s, int32_t scaleIndex);

// The series switch on the settings: MapSeries, remapped ScaleIndex, then the
// scale switch, then the label size once more.
void SelectSeries(Settings& s, Series series);

// The start state of the main window: old series, "1:50,000", zoom 70, Point.
Settings StartSettings();

// The start state switched to `series` and the scale at `scaleIndex` of its list.
Settings SettingsAt(Series series, int32_t scaleIndex);

// Position (1-based) of a scale caption in a series' list, also accepting the
// digits without separators ("1:50000"); 0 when there is none.
int32_t FindScale(Series series, const std::string& caption);

// The name a series is typed as on the command line and in the library calls:
// "old" or "open"; empty for another value.
const char* SeriesName(Series series);

// The series typed as `name` ("old" or "open"); none for any other text.
std::optional<Series> SeriesNamed(std::string_view name);

// "unknown series 'NAME': use old or open", the refusal of a name SeriesNamed
// does not know; each caller throws it as its own error.
std::string UnknownSeriesText(std::string_view given);

// "unknown scale 'GIVEN' for the NAME series; valid scales: " and the series'
// scale captions, comma-separated: the refusal of a scale FindScale does not know.
std::string UnknownScaleText(Series series, std::string_view given);

// Cuts a text to the 20 characters of a short string.
std::string ToShortString(const std::string& text);

} // namespace sw

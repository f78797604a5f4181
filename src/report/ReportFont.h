#pragma once

// The report's table font measured without a font library: the advance widths
// of Tahoma at 10 points and 96 pixels per inch, taken from Debian's fonts-wine
// file when the program is built (scripts/report-font-table.cpp). The report's
// columns and row wrapping therefore do not depend on the fonts a machine has,
// and a report built without a window loads no toolkit.

#include <cstdint>
#include <string_view>

namespace sw {

// The width in pixels of an 8-bit Windows text in the report's table font, as
// the toolkit measures it unhinted and without kerning: the sum of the
// characters' advances, rounded half up. Controls and the soft hyphen take no
// room; a character the font lacks takes its missing-glyph box.
int32_t MeasureReportText(std::string_view text);

} // namespace sw

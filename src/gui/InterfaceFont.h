#pragma once

// The windows and the report are designed in Tahoma. Machines without it used
// to fall back on whatever the font configuration offered, and the report's
// row wrapping changed with it. At start the program registers a
// metric-compatible free Tahoma from its font file (Debian's fonts-wine) with
// Qt's font database, or DejaVu Sans from its file when that is missing, so
// every "Tahoma" in the program resolves to the same outlines everywhere.

#include <QFont>
#include <QImage>
#include <QString>

namespace sw::gui {

// Registers the font files once (needs the application object) and returns the
// family standing for "Tahoma": "Tahoma" when its file was found, otherwise the
// fallback DejaVu Sans, to which "Tahoma" is then substituted.
QString LoadInterfaceFont();

// A 1 x 1 image at 96 pixels per inch on which text is measured wherever no
// real page or image is at hand (the layout and the report both assume it).
const QImage& MeasuringDevice();

// The report table's font: 10 points, regular, unhinted so widths do not depend
// on the platform's hinting settings. The column fitting does not measure with
// it: the core has this font's widths compiled in (report/ReportFont.h), and
// with the font file present both give the same pixels.
QFont ReportTableFont();

} // namespace sw::gui

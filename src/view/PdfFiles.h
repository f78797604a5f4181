#pragma once

// The layout as a PDF document, drawn as vectors: lines, sheet numbers and
// labels stay sharp at any zoom and the numbers can be searched and copied. The
// layout fills an A4 page (landscape when wider than tall) under a title line.
// The report's pages are gui/ReportPages.h.

#include "coverage/Feature.h"
#include "coverage/SheetGrid.h"
#include "index/Settings.h"
#include "report/ReportTable.h"

#include <QByteArray>
#include <QString>

#include <string>

namespace sw::gui {

// What the layout page names besides the drawing.
struct LayoutPdfInput {
    const Settings& settings;
    const Feature& feature;
    const SheetGrid& grid;
    std::string InputFileName; // UTF-8; empty for a point
    QString Date;              // as it should read, e.g. "2026-12-08"
};

// "<series>   Scale <scale>   Input POINT …/POLYLINE <file>   <date>".
QString LayoutTitleLine(const LayoutPdfInput& in);

// The one-page document. Throws ComputeError with the "Data extent too large!"
// message for a grid no page could show.
QByteArray LayoutPdfBytes(const LayoutPdfInput& in);

} // namespace sw::gui

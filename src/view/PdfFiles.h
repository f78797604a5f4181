#pragma once

// The layout and the report as PDF documents, drawn as vectors: lines, sheet
// numbers and labels stay sharp at any zoom and the numbers can be searched and
// copied. The layout fills an A4 page (landscape when wider than tall) under a
// title line; the report prints as its table on A4 pages with the heading row
// repeated on each page and the page numbers at the foot.

#include "coverage/Feature.h"
#include "coverage/SheetGrid.h"
#include "index/Settings.h"
#include "report/ReportTable.h"

#include <QByteArray>
#include <QString>

#include <string>

class QPagedPaintDevice;

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

// Paints the report on `device` page by page (a PDF writer or a printer), in
// the page's own resolution; returns the number of pages.
int PaintReportPages(QPagedPaintDevice& device, const Report& report);

QByteArray ReportPdfBytes(const Report& report);

} // namespace sw::gui

#pragma once

// The report as pages: its table on A4 with the heading row repeated on each
// page and the page numbers at the foot, for the report window's PDF and
// printer and the command line's --report-pdf. Drawn as text and lines, so the
// PDF's sheet numbers can be searched and copied.

#include "report/ReportTable.h"

#include <QByteArray>
#include <QPageLayout>

class QFont;
class QPagedPaintDevice;
class QPaintDevice;
class QPdfWriter;
class QString;

namespace sw::gui {

// The program's PDF documents (the report's and the layout's) share their page
// setup: A4 at 96 units per inch, the resolution of layout pixels and of the
// report's columns, so both can be drawn in their own units.

// The creator named in the program's PDF documents: the program and version.
QString PdfCreator();

// Sets `writer` up for A4 pages of `orientation` at 96 units per inch, margins
// of 10 mm at top and bottom and `sideMarginMm` left and right.
void SetUpWriter(QPdfWriter& writer, QPageLayout::Orientation orientation, const QString& title,
                 double sideMarginMm);

// The report's table font at 10 points of a 96-units-per-inch page, whatever
// the resolution of `device`.
QFont ReportPageFont(const QPaintDevice& device);

// Paints the report on `device` page by page (a PDF writer or a printer), in
// the page's own resolution; returns the number of pages.
int PaintReportPages(QPagedPaintDevice& device, const Report& report);

// The report as a PDF document of A4 portrait pages.
QByteArray ReportPdfBytes(const Report& report);

} // namespace sw::gui

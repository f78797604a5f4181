#pragma once

// The report as pages: its table on A4 with the heading row repeated on each
// page and the page numbers at the foot, for the report window's PDF and
// printer and the command line's --report-pdf. Drawn as text and lines, so the
// PDF's sheet numbers can be searched and copied.

#include "report/ReportTable.h"

#include <QByteArray>

class QPagedPaintDevice;

namespace sw::gui {

// Paints the report on `device` page by page (a PDF writer or a printer), in
// the page's own resolution; returns the number of pages.
int PaintReportPages(QPagedPaintDevice& device, const Report& report);

// The report as a PDF document of A4 portrait pages.
QByteArray ReportPdfBytes(const Report& report);

} // namespace sw::gui

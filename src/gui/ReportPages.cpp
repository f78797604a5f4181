#include "gui/ReportPages.h"

#include "gui/InterfaceFont.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <vector>

namespace sw::gui {

namespace {

// The report's columns and the layout are measured in pixels at 96 per inch.
constexpr int ReportDpi = 96;
constexpr double PageMarginMm = 10;
// The table is laid out for an A4 page less 10 pixels each side.
constexpr double SideMarginMm = 10 * 25.4 / ReportDpi;

} // namespace

QString PdfCreator() {
    return QStringLiteral("Sheetwright ") + QStringLiteral(SHEETWRIGHT_VERSION);
}

void SetUpWriter(QPdfWriter& writer, QPageLayout::Orientation orientation, const QString& title,
                 double sideMarginMm) {
    writer.setResolution(ReportDpi);
    writer.setCreator(PdfCreator());
    writer.setTitle(title);
    writer.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), orientation,
                    QMarginsF(sideMarginMm, PageMarginMm, sideMarginMm, PageMarginMm),
                    QPageLayout::Millimeter));
}

QFont ReportPageFont(const QPaintDevice& device) {
    QFont font = ReportTableFont();
    // Points relative to the page's 96 units per inch, whatever the device's.
    font.setPointSizeF(10.0 * ReportDpi / device.logicalDpiY());
    return font;
}

int PaintReportPages(QPagedPaintDevice& device, const Report& report) {
    const auto& widths = report.Columns.Widths;
    double tableWidth = 0;
    for (const int32_t w : widths) {
        tableWidth += w;
    }
    QPainter painter(&device);
    // Report units are pixels at 96 per inch; a page narrower than the table (a
    // printer's wide margins) gets the table scaled down to its width.
    const double viewportWidth = painter.viewport().width();
    double unit = device.logicalDpiX() / static_cast<double>(ReportDpi);
    if (tableWidth > 0 && tableWidth * unit > viewportWidth) {
        unit = viewportWidth / tableWidth;
    }
    painter.scale(unit, unit);
    const QRectF page(0, 0, viewportWidth / unit, painter.viewport().height() / unit);
    const QFont font = ReportPageFont(device);
    painter.setFont(font);
    const QFontMetricsF fm(font, &device);
    const double lineHeight = fm.height();
    const double pad = 2;

    const double x0 = std::max(0.0, (page.width() - tableWidth) / 2);
    auto cellText = [&](std::size_t row, std::size_t col) {
        const auto& cells = report.Table[row];
        return col < cells.size() ? QString::fromStdString(cells[col]) : QString();
    };
    // Only the sheet numbers wrap: a row that ends one number past the page's
    // width (the grouping tests the length before adding) continues below.
    auto flags = [](std::size_t col) {
        return Qt::AlignLeft | Qt::AlignTop |
               (col == 1 ? Qt::TextWrapAnywhere : Qt::TextSingleLine);
    };
    // A row is as high as its longest cell wraps to within its column.
    auto rowHeight = [&](std::size_t row) {
        double h = lineHeight;
        for (std::size_t c = 0; c < widths.size(); ++c) {
            const QRectF r = fm.boundingRect(QRectF(0, 0, std::max(1.0, widths[c] - 2 * pad), 1e6),
                                             flags(c), cellText(row, c));
            h = std::max(h, r.height());
        }
        return h + 2 * pad;
    };
    auto drawRow = [&](std::size_t row, double y, double h, bool heading) {
        double x = x0;
        for (std::size_t c = 0; c < widths.size(); ++c) {
            const QRectF cell(x, y, widths[c], h);
            if (heading) {
                painter.fillRect(cell, QColor(230, 230, 230));
            }
            painter.setPen(QColor(160, 160, 160));
            painter.drawRect(cell);
            painter.setPen(Qt::black);
            painter.drawText(cell.adjusted(pad, pad, -pad, -pad), flags(c), cellText(row, c));
            x += widths[c];
        }
    };

    if (report.Table.empty()) {
        return 0;
    }
    // Rows to pages first, so the foot can say "of N".
    const double footHeight = lineHeight * 2;
    const double headingHeight = rowHeight(0);
    const double captionHeight = lineHeight * 1.5;
    std::vector<std::vector<std::size_t>> pages(1);
    double y = captionHeight + headingHeight;
    for (std::size_t row = 1; row < report.Table.size(); ++row) {
        const double h = rowHeight(row);
        if (y + h > page.height() - footHeight && !pages.back().empty()) {
            pages.emplace_back();
            y = headingHeight;
        }
        pages.back().push_back(row);
        y += h;
    }
    const int count = static_cast<int>(pages.size());
    for (int p = 0; p < count; ++p) {
        if (p > 0) {
            device.newPage();
        }
        y = 0;
        if (p == 0) {
            painter.drawText(QRectF(x0, 0, tableWidth, lineHeight), Qt::AlignLeft,
                             QString::fromStdString(report.Caption));
            y = captionHeight;
        }
        drawRow(0, y, headingHeight, true);
        y += headingHeight;
        for (const std::size_t row : pages[static_cast<std::size_t>(p)]) {
            const double h = rowHeight(row);
            drawRow(row, y, h, false);
            y += h;
        }
        painter.drawText(QRectF(0, page.height() - lineHeight, page.width(), lineHeight),
                         Qt::AlignHCenter, QStringLiteral("Page %1 of %2").arg(p + 1).arg(count));
    }
    return count;
}

QByteArray ReportPdfBytes(const Report& report) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        SetUpWriter(writer, QPageLayout::Portrait, QString::fromStdString(report.Caption),
                    SideMarginMm);
        PaintReportPages(writer, report);
    }
    return bytes;
}

} // namespace sw::gui

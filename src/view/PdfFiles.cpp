#include "view/PdfFiles.h"

#include "coverage/Coverage.h"
#include "coverage/LayoutGeometry.h"
#include "gui/CoreText.h"
#include "gui/ReportPages.h"
#include "view/LayoutCanvas.h"
#include "view/LayoutPainter.h"

#include <QBuffer>
#include <QFontMetrics>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <vector>

namespace sw::gui {

namespace {

// The layout's page has the same 10 mm margin on every side.
constexpr double PageMarginMm = 10;

} // namespace

QString LayoutTitleLine(const LayoutPdfInput& in) {
    const Settings& s = in.settings;
    const auto& captions = SeriesCaptions();
    const std::size_t series = s.MapSeries == Series::OldSeries ? 0 : 1;
    const QString caption =
        series < captions.size() ? FromCore(captions[series]).simplified() : QString();
    const ReportInput report{s, in.grid, in.feature, in.InputFileName};
    return caption + QStringLiteral("   Scale ") + FromCore(s.ScaleText) + QStringLiteral("   ") +
           QString::fromStdString(ReportInputLine(report)) + QStringLiteral("   ") + in.Date;
}

QByteArray LayoutPdfBytes(const LayoutPdfInput& in) {
    const Settings& s = in.settings;
    const Feature& f = in.feature;
    const SheetGrid& g = in.grid;
    const LayoutGeometry geo = PlanLayout(s, g.GridCols, g.GridRows);
    if (geo.ImageWidth <= 0 || geo.ImageHeight <= 0 || geo.ImageWidth > INT32_MAX ||
        geo.ImageHeight > INT32_MAX) {
        throw ComputeError(ExtentTooLargeMessage);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        const QString title = LayoutTitleLine(in);
        SetUpWriter(writer,
                    geo.ImageWidth > geo.ImageHeight ? QPageLayout::Landscape
                                                     : QPageLayout::Portrait,
                    title, PageMarginMm);
        QPainter painter(&writer);
        const QRect page = painter.viewport();
        const QFont font = ReportPageFont(writer);
        painter.setFont(font);
        const int titleHeight = QFontMetrics(font, &writer).height();
        painter.drawText(QRect(0, 0, page.width(), titleHeight),
                         Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, title);

        // The drawing below the title, scaled to the room left, centred across.
        const int top = titleHeight + titleHeight / 2;
        const double roomW = page.width();
        const double roomH = std::max(1, page.height() - top);
        const double scale = std::min(roomW / static_cast<double>(geo.ImageWidth),
                                      roomH / static_cast<double>(geo.ImageHeight));
        painter.translate((roomW - scale * static_cast<double>(geo.ImageWidth)) / 2, top);
        painter.scale(scale, scale);
        painter.setClipRect(QRectF(0, 0, static_cast<double>(geo.ImageWidth),
                                   static_cast<double>(geo.ImageHeight)));
        LayoutCanvas canvas(painter);
        canvas.SetPenColor(Qt::black);
        canvas.SetBrushSolid(Qt::white);
        canvas.Rectangle(0, 0, static_cast<int>(geo.ImageWidth), static_cast<int>(geo.ImageHeight));
        PaintLayoutOn(canvas, s, f, g, geo);
    }
    return bytes;
}

} // namespace sw::gui

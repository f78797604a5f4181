#include "view/LayoutPainter.h"

#include "coverage/CellNumbering.h"
#include "coverage/Coverage.h"
#include "coverage/LargeBlock.h"
#include "coverage/PixelFrame.h"
#include "gui/CoreText.h"
#include "index/CheckedMath.h"
#include "index/SheetNumber.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string_view>

namespace sw::gui {

namespace {

// 96 pixels per inch, so font point sizes give the same pixels everywhere.
constexpr int DotsPerMeter96 = 3780;

// Sheet numbers are plain ASCII; anything else goes through the full conversion
// from the core's character set.
QString NumberText(std::string_view no) {
    const bool ascii = std::all_of(no.begin(), no.end(),
                                   [](char ch) { return static_cast<unsigned char>(ch) < 0x80; });
    if (ascii) {
        return QString::fromLatin1(no.data(), static_cast<qsizetype>(no.size()));
    }
    return FromCore(std::string(no));
}

// The pixels of a large layout in memory the system may back with huge pages:
// with 4 KiB pages, the first touch of a 100 MB image (one fault per 1,024
// pixels) costs more than drawing a million cells on it.
constexpr std::size_t PixelBlockAlign = std::size_t{2} << 20;

void FreePixels(void* data) {
    std::free(data);
}

QImage AllocateImage(int32_t width, int32_t height) {
    const std::size_t bytesPerLine = static_cast<std::size_t>(width) * 4;
    const std::size_t bytes = bytesPerLine * static_cast<std::size_t>(height);
    if (bytes < PixelBlockAlign) {
        return QImage(width, height, QImage::Format_RGB32);
    }
    const std::size_t rounded = (bytes + PixelBlockAlign - 1) / PixelBlockAlign * PixelBlockAlign;
    void* data = std::aligned_alloc(PixelBlockAlign, rounded);
    if (data == nullptr) {
        return {};
    }
    AdviseLargeBlock(data, rounded);
    QImage image(static_cast<uchar*>(data), width, height, static_cast<qsizetype>(bytesPerLine),
                 QImage::Format_RGB32, FreePixels, data);
    if (image.isNull()) {
        std::free(data);
    }
    return image;
}

// Whether the sheet numbers fit their cells where they land: a number that, at
// a size that can be read there (MinLegiblePixels high on the device), is wider
// than its cell would run over its neighbours'. Measured on the grid's first
// number in bold, the wider face; numbers of one grid share their length.
bool NumbersFitCells(LayoutCanvas& c, const SheetGrid& g, int32_t cellWidth, int points) {
    if (g.SheetList.empty() || points <= 0) {
        return true;
    }
    const double scale = c.DevicePixelsPerLayoutPixel();
    const double fontPixels = points * 96.0 / 72.0 * scale;
    const double toLegible = std::max(1.0, LayoutCanvas::MinLegiblePixels / fontPixels);
    c.SetFontBold(true);
    const double width = c.TextWidth(NumberText(g.SheetList.front().SheetNo.view())) * scale;
    c.SetFontBold(false);
    return width * toLegible <= cellWidth * scale;
}

} // namespace

bool CellsAsFills(const LayoutCanvas& c, const LayoutGeometry& geo) {
    const double scale = c.DevicePixelsPerLayoutPixel();
    return std::min(geo.CellWidth, geo.CellHeight) * scale < MinOutlinedCellPixels;
}

CellWindow AllCells(const SheetGrid& g) {
    return CellWindow{-1, std::max(g.GridRows, 0), -1, std::max(g.GridCols, 0)};
}

CellWindow CellsIn(const LayoutGeometry& geo, const SheetGrid& g, const QRect& area) {
    CellWindow all = AllCells(g);
    if (geo.CellWidth <= 0 || geo.CellHeight <= 0 || area.isEmpty()) {
        return CellWindow{0, -1, 0, -1};
    }
    // Rounded toward minus infinity; one cell more on every side, whose number
    // or frame line may reach into the area.
    auto floorDiv = [](int64_t a, int64_t b) { return a / b - ((a % b != 0) && (a < 0)); };
    const auto first = [&](int64_t px, int32_t origin, int32_t cell) {
        return floorDiv(px - origin, cell) - 1;
    };
    const int64_t firstCol = first(area.left(), geo.GridOriginX, geo.CellWidth);
    const int64_t lastCol = first(area.right(), geo.GridOriginX, geo.CellWidth) + 2;
    const int64_t firstRow = first(area.top(), geo.GridOriginY, geo.CellHeight);
    const int64_t lastRow = first(area.bottom(), geo.GridOriginY, geo.CellHeight) + 2;
    all.FirstCol =
        static_cast<int32_t>(std::clamp<int64_t>(firstCol, all.FirstCol, all.LastCol + 1));
    all.LastCol = static_cast<int32_t>(std::clamp<int64_t>(lastCol, all.FirstCol - 1, all.LastCol));
    all.FirstRow =
        static_cast<int32_t>(std::clamp<int64_t>(firstRow, all.FirstRow, all.LastRow + 1));
    all.LastRow = static_cast<int32_t>(std::clamp<int64_t>(lastRow, all.FirstRow - 1, all.LastRow));
    return all;
}

void DrawInFills(LayoutCanvas& c, const LayoutGeometry& geo, const SheetGrid& g,
                 const std::function<void()>& rowDone, const CellWindow& window) {
    const int32_t w = geo.CellWidth;
    const int32_t z = geo.CellHeight;
    const auto cols = static_cast<std::size_t>(std::max(g.GridCols, 0));
    const auto rows = static_cast<std::size_t>(std::max(g.GridRows, 0));
    if (g.SheetList.size() < cols * rows) {
        return;
    }
    const auto firstCol = static_cast<std::size_t>(std::max(window.FirstCol, 0));
    const auto endCol =
        static_cast<std::size_t>(std::clamp<int64_t>(window.LastCol + 1, 0, g.GridCols));
    const auto firstRow = static_cast<std::size_t>(std::max(window.FirstRow, 0));
    const auto endRow =
        static_cast<std::size_t>(std::clamp<int64_t>(window.LastRow + 1, 0, g.GridRows));
    c.SetPenColor(LayoutColors::Blue);
    c.SetBrushSolid(LayoutColors::Blue);
    for (std::size_t r = firstRow; r < endRow; ++r) {
        const SheetRec* row = g.SheetList.data() + r * cols;
        for (std::size_t col = firstCol; col < endCol;) {
            if (row[col].InFlag != 1) {
                ++col;
                continue;
            }
            std::size_t end = col + 1;
            while (end < endCol && row[end].InFlag == 1) {
                ++end;
            }
            // One rectangle per run, covering the cells' shared border lines.
            const PixelPoint nw =
                CellCorner(geo, static_cast<int32_t>(r), static_cast<int32_t>(col));
            const int32_t right = nw.X + static_cast<int32_t>(end - col) * w + 1;
            c.Rectangle(nw.X, nw.Y, right, nw.Y + z + 1);
            col = end;
        }
        if (rowDone) {
            rowDone();
        }
    }
    // The block's frame, over the runs that reach it.
    c.SetPenColor(Qt::black);
    c.SetBrushClear();
    c.Rectangle(geo.GridOriginX, geo.GridOriginY, geo.GridRightX + 1, geo.GridBottomY + 1);
}

QImage CreateLayoutImage(int32_t width, int32_t height, double ratio) {
    if (width <= 0 || height <= 0) {
        return {};
    }
    // A screen of fewer device pixels than layout pixels still gets every layout pixel.
    ratio = std::isfinite(ratio) ? std::clamp(ratio, 1.0, MaxDevicePixelRatio) : 1.0;
    const auto deviceWidth = static_cast<int64_t>(std::ceil(width * ratio));
    const auto deviceHeight = static_cast<int64_t>(std::ceil(height * ratio));
    if (deviceWidth > INT32_MAX / 4 || deviceHeight > INT32_MAX) {
        return {};
    }
    QImage image =
        AllocateImage(static_cast<int32_t>(deviceWidth), static_cast<int32_t>(deviceHeight));
    if (image.isNull()) {
        return image;
    }
    image.setDotsPerMeterX(DotsPerMeter96);
    image.setDotsPerMeterY(DotsPerMeter96);
    image.setDevicePixelRatio(ratio);
    LayoutCanvas c(image);
    c.SetPenColor(Qt::black);
    c.SetBrushSolid(Qt::white);
    c.Rectangle(0, 0, width, height);
    return image;
}

void DrawNeighbourGrid(LayoutCanvas& c, const Settings& s, const LayoutGeometry& geo,
                       const SheetGrid& g, const std::function<void()>& rowDone,
                       const CellWindow& window) {
    const int32_t w = geo.CellWidth;
    const int32_t z = geo.CellHeight;
    c.SetPenColor(LayoutColors::Silver);
    c.SetPenDotted(true);
    c.SetFontColor(LayoutColors::Silver);
    const bool numbered = c.TextLegible() && NumbersFitCells(c, g, w, DrawnLabelFontSize(s));
    // Ring rows and columns run from -1 to GridRows / GridCols.
    for (int32_t r = window.FirstRow; r <= window.LastRow; ++r) {
        const int32_t y = CheckedAdd(geo.GridOriginY, CheckedMul(r, z));
        for (int32_t col = window.FirstCol; col <= window.LastCol; ++col) {
            const int32_t x = CheckedAdd(geo.GridOriginX, CheckedMul(col, w));
            c.Rectangle(x, y, x + w + 1, y + z + 1);
            const bool inBlock = r >= 0 && r < g.GridRows && col >= 0 && col < g.GridCols;
            if (!inBlock && numbered) {
                // Numbered as the computed sheets are: a neighbour reaching into
                // the index is a sheet even where its south-west corner is not.
                const QString no = FromCore(GridCellSheetNumber(s, g, r, col));
                c.TextOut(x + w / 2 - c.TextWidth(no) / 2, y + z / 2 - c.TextHeight(no) / 2, no);
            }
        }
        if (rowDone) {
            rowDone();
        }
    }
    c.SetPenDotted(false);
}

void DrawPolygon(LayoutCanvas& c, const Settings& s, const Feature& f, const SheetGrid& frame) {
    c.SetBrushSolid(LayoutColors::LightCyan);
    // The points of this drawing's frame, computed here: the model keeps no
    // pixel positions of its own.
    auto at = [&](std::size_t i) {
        const PixelPoint p = GeoToPixel(s, frame, f.Vertices[i]);
        return QPoint(p.X, p.Y);
    };
    if (f.Parts.empty()) {
        QVector<QPoint> points;
        points.reserve(static_cast<qsizetype>(f.Vertices.size()));
        for (std::size_t i = 0; i < f.Vertices.size(); ++i) {
            points.append(at(i));
        }
        c.Polygon(points);
    } else {
        // Every ring of the feature at once, so that holes stay unfilled.
        QVector<QVector<QPoint>> rings;
        for (const Ring& r : FeatureRings(f, static_cast<int32_t>(f.Vertices.size()))) {
            QVector<QPoint> ring;
            for (int32_t i = r.First; i < r.First + r.Count; ++i) {
                ring.append(at(static_cast<std::size_t>(i)));
            }
            rings.append(ring);
        }
        c.PolygonRings(rings);
    }
    c.SetBrushClear();
}

void Draw_grids(LayoutCanvas& c, const LayoutGeometry& geo, const SheetGrid& g,
                const std::function<void()>& rowDone, const CellWindow& window) {
    const int32_t w = geo.CellWidth;
    const int32_t z = geo.CellHeight;
    if (g.GridCols <= 0 || g.GridRows <= 0 ||
        g.SheetList.size() <
            static_cast<std::size_t>(g.GridCols) * static_cast<std::size_t>(g.GridRows)) {
        return;
    }
    // Unreadably small numbers are not written at all: on a grid of a million
    // cells building and measuring their texts would cost most of the drawing.
    const bool legible = c.TextLegible() && NumbersFitCells(c, g, w, c.FontSize());
    const auto cols = static_cast<std::size_t>(g.GridCols);
    const int32_t firstCol = std::max(window.FirstCol, 0);
    const int32_t lastCol = std::min(window.LastCol, g.GridCols - 1);
    const int32_t lastRow = std::min(window.LastRow, g.GridRows - 1);
    for (int32_t r = std::max(window.FirstRow, 0); r <= lastRow; ++r) {
        for (int32_t col = firstCol; col <= lastCol; ++col) {
            const SheetRec& sheet =
                g.SheetList[static_cast<std::size_t>(r) * cols + static_cast<std::size_t>(col)];
            const PixelPoint nw = CellCorner(geo, r, col);
            c.Rectangle(nw.X, nw.Y, nw.X + w + 1, nw.Y + z + 1);
            if (legible) {
                const bool in = sheet.InFlag == 1;
                c.SetFontColor(in ? LayoutColors::Blue : QColor(Qt::black));
                c.SetFontBold(in);
                const QString no = NumberText(sheet.SheetNo.view());
                c.TextOut(nw.X + (w + 1) / 2 - c.TextWidth(no) / 2,
                          nw.Y + (z + 1) / 2 - c.TextHeight(no) / 2, no);
            }
        }
        if (rowDone) {
            rowDone();
        }
    }
}

void DrawLineSegments(LayoutCanvas& c, const Settings& s, const Feature& f, const SheetGrid& g) {
    if (f.Vertices.empty()) {
        return;
    }
    // Each part is drawn on its own: a line never runs from one part to the next.
    const std::vector<FeaturePart> parts = PartsOver(f, static_cast<int32_t>(f.Vertices.size()));
    PixelPoint last;
    for (std::size_t p = 0; p < parts.size(); ++p) {
        const auto from = static_cast<std::size_t>(parts[p].Start);
        const std::size_t to =
            p + 1 < parts.size() ? static_cast<std::size_t>(parts[p + 1].Start) : f.Vertices.size();
        PixelPoint first;
        for (std::size_t k = from; k < to; ++k) {
            last = GeoToPixel(s, g, f.Vertices[k]);
            if (k == from) {
                first = last;
                c.MoveTo(last.X, last.Y);
            } else {
                c.LineTo(last.X, last.Y);
            }
            if (parts[p].Kind == PartKind::Point) {
                c.Ellipse(last.X - 5, last.Y - 5, last.X + 5, last.Y + 5);
                c.SetPixel(last.X, last.Y, LayoutColors::Red);
            }
        }
        // A ring encloses whether or not its list repeats the first vertex, as
        // the fill and the computation take it; its outline shows the closing
        // edge too. A ring that already ends where it began gets no extra line.
        if (parts[p].Kind == PartKind::Polygon && to - from > 1 && !(last == first)) {
            c.LineTo(first.X, first.Y);
        }
    }
    if (s.DataType == DataKind::Point && f.Parts.empty()) {
        c.Ellipse(last.X - 5, last.Y - 5, last.X + 5, last.Y + 5);
        c.SetPixel(last.X, last.Y, LayoutColors::Red);
    }
}

void label_corners(LayoutCanvas& c, const Settings& s, const LayoutGeometry& geo,
                   const SheetGrid& g) {
    if (g.GridCols <= 0 || g.GridRows <= 0 ||
        static_cast<int64_t>(g.SheetList.size()) < static_cast<int64_t>(g.GridCols) * g.GridRows) {
        return;
    }
    const PixelPoint F = CellCorner(geo, 0, 0);
    const PixelPoint R = CellCorner(geo, 0, g.GridCols - 1);
    const PixelPoint B = CellCorner(geo, g.GridRows - 1, 0);
    const PixelPoint L = CellCorner(geo, g.GridRows - 1, g.GridCols - 1);
    const int32_t w1 = geo.CellWidth + 1;
    const int32_t h1 = geo.CellHeight + 1;

    c.SetFontColor(LayoutColors::Maroon);
    c.SetFontSize(s.SheetPixelHeight / 10 + 1);
    // Regular whatever the last sheet number was: the labels are not sheet data.
    c.SetFontBold(false);

    const QString west = FromCore(DmsToText(g.GridWest));
    const QString east = FromCore(DmsToText(g.GridEast));
    const QString north = FromCore(DmsToText(g.GridNorth));
    const QString south = FromCore(DmsToText(g.GridSouth));

    int tw = c.TextWidth(west);
    int th = c.TextHeight(west);
    c.TextOut(F.X - tw / 2, F.Y - th, west);
    c.TextOut(F.X - tw / 2, B.Y + h1, west);

    tw = c.TextWidth(east);
    c.TextOut(R.X + w1 - tw / 2, R.Y - th, east);
    c.TextOut(R.X + w1 - tw / 2, L.Y + h1, east);

    tw = c.TextWidth(north);
    const int32_t yn = F.Y + 1;
    c.TextOut(F.X - tw, yn, north);
    c.TextOut(R.X + w1 + 1, yn, north);

    tw = c.TextWidth(south);
    const int32_t ys = B.Y + h1 - th - 1;
    c.TextOut(F.X - tw, ys, south);
    c.TextOut(L.X + w1 + 1, ys, south);
    c.SetFontBold(false);
}

int32_t PaintLayout(QImage& image, const Settings& s, const Feature& f, const SheetGrid& g,
                    const LayoutGeometry& geo, const PaintControl& ctl) {
    LayoutCanvas c(image);
    return PaintLayoutOn(c, s, f, g, geo, ctl);
}

int32_t PaintLayoutOn(LayoutCanvas& c, const Settings& s, const Feature& f, const SheetGrid& g,
                      const LayoutGeometry& geo, const PaintControl& ctl,
                      const std::optional<QRect>& area) {
    const CellWindow window = area ? CellsIn(geo, g, *area) : AllCells(g);
    // The rows of both grids, the neighbours' (with the ring) and the block's,
    // make up the work; the rest of the drawing is small beside them.
    const int64_t ringRows = std::max<int64_t>(0, int64_t{window.LastRow} - window.FirstRow + 1);
    const int64_t blockRows = std::max<int64_t>(
        0, int64_t{std::min(window.LastRow, g.GridRows - 1)} - std::max(window.FirstRow, 0) + 1);
    const int64_t rows = ringRows + blockRows;
    int64_t done = 0;
    int32_t reported = -1;
    std::function<void()> rowDone;
    if (ctl.progress || ctl.cancel != nullptr) {
        rowDone = [&] {
            ++done;
            if (ctl.cancel != nullptr && ctl.cancel->load(std::memory_order_relaxed)) {
                throw PaintCancelled();
            }
            const auto percent = static_cast<int32_t>(done * 100 / std::max<int64_t>(rows, 1));
            if (ctl.progress && percent != reported) {
                reported = percent;
                ctl.progress(percent);
            }
        };
    }
    // Feature positions on this layout's frame; the model's grid is only read.
    const SheetGrid frame = LayoutFrame(g, geo);
    c.SetPenColor(Qt::black);
    c.SetBrushSolid(Qt::white);
    c.SetFontSize(DrawnLabelFontSize(s));
    if (CellsAsFills(c, geo)) {
        // The neighbour ring's rows count as done: there is nothing to draw of it.
        for (int64_t r = 0; rowDone && r < ringRows; ++r) {
            rowDone();
        }
        if (f.IsPolygon == 1) {
            DrawPolygon(c, s, f, frame);
        }
        DrawInFills(c, geo, g, rowDone, window);
        // The brush the drawing of the grid leaves: clear over a polygon's fill,
        // white otherwise (the point marker's inside).
        if (f.IsPolygon != 1) {
            c.SetBrushSolid(Qt::white);
        }
    } else {
        DrawNeighbourGrid(c, s, geo, g, rowDone, window);
        if (f.IsPolygon == 1) {
            DrawPolygon(c, s, f, frame);
        }
        c.SetPenColor(Qt::black);
        Draw_grids(c, geo, g, rowDone, window);
    }
    c.SetPenColor(LayoutColors::Red);
    DrawLineSegments(c, s, f, frame);
    label_corners(c, s, geo, g);
    // A frame of the screen is one of many; the whole drawing counts.
    return area ? g.InSheetCount : CountInSheets(g);
}

QImage RenderLayout(const Settings& s, const Feature& f, const SheetGrid& g, int32_t* totalSheets) {
    const LayoutGeometry geo = PlanLayout(s, g.GridCols, g.GridRows);
    QImage image;
    if (geo.ImageWidth > 0 && geo.ImageHeight > 0 && geo.ImageWidth <= INT32_MAX &&
        geo.ImageHeight <= INT32_MAX) {
        image = CreateLayoutImage(static_cast<int32_t>(geo.ImageWidth),
                                  static_cast<int32_t>(geo.ImageHeight));
    }
    if (image.isNull()) {
        throw ComputeError(ExtentTooLargeMessage);
    }
    const int32_t total = PaintLayout(image, s, f, g, geo);
    if (totalSheets != nullptr) {
        *totalSheets = total;
    }
    return image;
}

void DrawHighlight(QImage& image, const HighlightBox& r) {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    PaintHighlightBox(painter, r);
}

void PaintHighlightBox(QPainter& painter, const HighlightBox& r) {
    const int w = r.Right - r.Left; // covered columns Left .. Right - 1
    const int h = r.Bottom - r.Top;
    if (w <= 0 || h <= 0) {
        return;
    }
    painter.save();
    painter.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
    if (w > 2 && h > 2) {
        painter.fillRect(QRect(r.Left + 1, r.Top + 1, w - 2, h - 2), LayoutColors::Yellow);
    }
    // The frame as four spans that never overlap, so the frame drawn twice
    // restores every pixel, corners included.
    const QColor red = LayoutColors::Red;
    painter.fillRect(QRect(r.Left, r.Top, w, 1), red);
    if (h > 1) {
        painter.fillRect(QRect(r.Left, r.Bottom - 1, w, 1), red);
    }
    if (h > 2) {
        painter.fillRect(QRect(r.Left, r.Top + 1, 1, h - 2), red);
        if (w > 1) {
            painter.fillRect(QRect(r.Right - 1, r.Top + 1, 1, h - 2), red);
        }
    }
    painter.restore();
}

} // namespace sw::gui

#include "coverage/PointerReadout.h"

#include "coverage/CellNumbering.h"
#include "coverage/PixelFrame.h"
#include "index/CheckedMath.h"
#include "index/Convertions.h"
#include "index/SheetNumber.h"

#include <algorithm>
#include <initializer_list>
#include <string_view>

namespace sw {

namespace {

std::string SecText(int32_t seconds) {
    return DmsToText(SecToDms(seconds));
}

// One allocation for the whole text (and no chain of operator+ on temporaries,
// which g++ 12 misreads as overlapping copies under -Wrestrict).
std::string Join(std::initializer_list<std::string_view> parts) {
    std::size_t n = 0;
    for (std::string_view p : parts) {
        n += p.size();
    }
    std::string out;
    out.reserve(n);
    for (std::string_view p : parts) {
        out.append(p);
    }
    return out;
}

// The extent in seconds of the cell in `row` and `col` counted from the
// block's north-west cell; the ring's are -1 and GridRows / GridCols.
struct CellBounds {
    int32_t South, North, West, East;
};

CellBounds BoundsOf(const Settings& s, const SheetGrid& g, int32_t row, int32_t col) {
    CellBounds b{};
    b.South = CheckedSub(g.GridNorthSec, CheckedMul(CheckedAdd(row, 1), s.SheetHeightSec));
    b.North = CheckedAdd(b.South, s.SheetHeightSec);
    b.West = CheckedAdd(g.GridWestSec, CheckedMul(col, s.SheetWidthSec));
    b.East = CheckedAdd(b.West, s.SheetWidthSec);
    return b;
}

// Panel 0: " <number> (Lat:<south>-<north> Long:<west>-<east>)".
std::string CellPanel(std::string_view number, const CellBounds& b) {
    return Join({" ", number, " (Lat:", SecText(b.South), "-", SecText(b.North),
                 " Long:", SecText(b.West), "-", SecText(b.East), ")"});
}

} // namespace

PointerReading ReadPointer(const Settings& s, const SheetGrid& g, const LayoutGeometry& geo,
                           int32_t x, int32_t y) {
    PointerReading r;
    // The frame of the drawn layout: its origin, not whatever the grid last held.
    const VertexRec pos = PixelToGeo(s, LayoutFrame(g, geo), x, y);
    r.Panel2 = Join({" Lat: ", DmsToText(pos.Lat), " Long: ", DmsToText(pos.Long)});

    const bool inBlock =
        geo.GridOriginX <= x && x <= geo.GridRightX && geo.GridOriginY <= y && y <= geo.GridBottomY;
    if (!inBlock || g.GridCols <= 0 || g.GridRows <= 0 || geo.CellWidth <= 0 ||
        geo.CellHeight <= 0) {
        return r;
    }
    const int32_t col = std::min((x - geo.GridOriginX) / geo.CellWidth, g.GridCols - 1);
    const int32_t row = std::min((y - geo.GridOriginY) / geo.CellHeight, g.GridRows - 1);
    const int64_t i = static_cast<int64_t>(row) * g.GridCols + col;
    if (i >= g.SheetCount || i >= static_cast<int64_t>(g.SheetList.size())) {
        return r;
    }
    const SheetRec& sheet = g.SheetList[static_cast<std::size_t>(i)];
    r.Index = static_cast<int32_t>(i);
    r.Panel0 = CellPanel(sheet.SheetNo.view(), BoundsOf(s, g, row, col));
    r.Panel1 = Join({" ", std::to_string(i + 1), "/", std::to_string(g.SheetCount), " ",
                     sheet.InFlag == 1 ? "IN" : "OUT"});
    return r;
}

namespace {

// Division rounded toward minus infinity: the ring's west column is -1.
int64_t FloorDiv(int64_t a, int64_t b) {
    const int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

} // namespace

PointerReading ReadLayoutPointer(const Settings& s, const SheetGrid& g, const LayoutGeometry& geo,
                                 int32_t x, int32_t y) {
    const int64_t w = geo.CellWidth;
    const int64_t z = geo.CellHeight;
    const bool inRing = w > 0 && z > 0 && int64_t{geo.GridOriginX} - w <= x &&
                        x <= int64_t{geo.GridRightX} + w && int64_t{geo.GridOriginY} - z <= y &&
                        y <= int64_t{geo.GridBottomY} + z;
    if (!inRing) {
        PointerReading r;
        r.Place = PointerPlace::Margin;
        return r;
    }
    const bool inBlock =
        geo.GridOriginX <= x && x <= geo.GridRightX && geo.GridOriginY <= y && y <= geo.GridBottomY;
    if (inBlock && g.GridCols > 0 && g.GridRows > 0) {
        return ReadPointer(s, g, geo, x, y);
    }
    PointerReading r = ReadPointer(s, g, geo, x, y);
    r.Place = PointerPlace::Ring;
    r.Index = -1;
    // The ring's columns run from -1 to GridCols, its rows from -1 to GridRows;
    // the outer frame lines belong to the outermost cells.
    const int64_t col =
        std::clamp<int64_t>(FloorDiv(x - int64_t{geo.GridOriginX}, w), -1, g.GridCols);
    const int64_t row =
        std::clamp<int64_t>(FloorDiv(y - int64_t{geo.GridOriginY}, z), -1, g.GridRows);
    const CellBounds b = BoundsOf(s, g, static_cast<int32_t>(row), static_cast<int32_t>(col));
    // Numbered as the block's cells and the extent's neighbours are: a cell whose
    // south-west corner lies in a cut-out but which reaches into the index is a
    // sheet, not "#".
    r.Panel0 = CellPanel(
        GridCellSheetNumber(s, g, static_cast<int32_t>(row), static_cast<int32_t>(col)), b);
    r.Panel1 = NeighbourSheetText;
    return r;
}

HighlightBox HighlightRect(const LayoutGeometry& geo, const SheetRec& sheet) {
    return HighlightBox{sheet.X + 2, sheet.Y + 2, sheet.X + geo.CellWidth - 1,
                        sheet.Y + geo.CellHeight - 1};
}

HighlightBox HighlightRect(const LayoutGeometry& geo, int32_t gridCols, int32_t index) {
    const int32_t cols = std::max(gridCols, 1);
    const PixelPoint nw = CellCorner(geo, index / cols, index % cols);
    return HighlightBox{nw.X + 2, nw.Y + 2, nw.X + geo.CellWidth - 1, nw.Y + geo.CellHeight - 1};
}

} // namespace sw

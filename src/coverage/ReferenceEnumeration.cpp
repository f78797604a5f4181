#include "coverage/Enumeration.h"
#include "coverage/Progress.h"
#include "index/CheckedMath.h"
#include "index/SheetNumber.h"

namespace sw {

void clipp_lines_along_sheets(const Settings& s, const std::vector<Segment>& segments, SheetGrid& g,
                              const ComputeControl& ctl) {
    const int32_t w = SheetPixelWidth(s);
    const int32_t h = s.SheetPixelHeight;
    std::size_t i = 0;
    int32_t rowNorth = g.GridNorthSec;
    int32_t lastPercent = -1;
    for (int32_t r = 0; r < g.GridRows; ++r) {
        int32_t lon = g.GridWestSec;
        for (int32_t c = 0; c < g.GridCols; ++c) {
            if (ctl.cancel != nullptr && ctl.cancel->load(std::memory_order_relaxed)) {
                throw ComputeCancelled();
            }
            // Numbered from its south-west corner, or from a covered point of it
            // when that corner lies outside the index.
            g.CurrentSheetNo = CellSheetNumber(s, lon, CheckedSub(rowNorth, s.SheetHeightSec));
            SheetRec& rec = g.SheetList[i];
            rec.SheetNo = g.CurrentSheetNo;
            const CellRect cell = CellAt(rec.X, rec.Y, w, h);
            for (const Segment& seg : segments) {
                if (SegmentTouchesSheet(seg.P, seg.Q, cell) && g.CurrentSheetNo != OutsideSheetNo) {
                    rec.InFlag = 1;
                }
            }
            ++i;
            lon = CheckedAdd(lon, s.SheetWidthSec);
            const int32_t p = ProgressPercent(static_cast<int64_t>(i), g.SheetCount);
            if (p != lastPercent) {
                lastPercent = p;
                if (ctl.progress) {
                    ctl.progress(p, ProgressText(p));
                }
            }
        }
        rowNorth = CheckedSub(rowNorth, s.SheetHeightSec);
    }
}

void MarkInteriorSheets(const RingSet& polygon, SheetGrid& g) {
    for (SheetRec& rec : g.SheetList) {
        if (rec.InFlag == 0 &&
            PointInRings(*polygon.Points, polygon.Rings, CheckedAdd(rec.X, g.GridOriginX),
                         CheckedAdd(rec.Y, g.GridOriginY)) &&
            rec.SheetNo != OutsideSheetNo) {
            rec.InFlag = 1;
        }
    }
}

} // namespace sw

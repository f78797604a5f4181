#include "coverage/CellNumbering.h"
#include "coverage/Enumeration.h"
#include "coverage/Progress.h"
#include "index/CheckedMath.h"
#include "index/SheetNumber.h"

#include <algorithm>
#include <cmath>

namespace sw {

namespace {

int64_t FloorDiv(int64_t a, int64_t b) {
    int64_t q = a / b;
    if (a % b != 0 && a < 0) {
        --q;
    }
    return q;
}

int64_t CeilDiv(int64_t a, int64_t b) {
    int64_t q = a / b;
    if (a % b != 0 && a > 0) {
        ++q;
    }
    return q;
}

// Grid index of a pixel coordinate, clamped so that a far-off value cannot
// overflow the conversion.
int64_t FloorIndex(double v, int32_t cell) {
    const double q = std::floor(v / static_cast<double>(cell));
    return static_cast<int64_t>(std::clamp(q, -1e15, 1e15));
}

// An edge of a ring and the rows whose line it may cross.
struct Edge {
    PixelPoint A;
    PixelPoint B;
    int32_t LastRow;
};

// One feature's ring edges bucketed by the first row they may cross, so each row
// sees only the edges that span it. The bounds carry a row's margin either way;
// the exact half-open test decides. Only the rows from FirstRow() to LastRow()
// can hold crossings; the buckets cover just those.
class EdgeSweep {
public:
    EdgeSweep(const RingSet& polygon, int32_t cellHeight, int32_t rows) {
        const PolyPoints& pts = *polygon.Points;
        std::vector<std::pair<int32_t, Edge>> edges;
        for (const Ring& ring : polygon.Rings) {
            if (ring.Count <= 0) {
                continue;
            }
            const auto first = static_cast<std::size_t>(ring.First);
            const std::size_t end = first + static_cast<std::size_t>(ring.Count);
            std::size_t j = end - 1;
            for (std::size_t i = first; i < end; ++i) {
                const PixelPoint& a = pts[j];
                const PixelPoint& b = pts[i];
                j = i;
                if (a.Y == b.Y) {
                    continue; // a horizontal edge never counts
                }
                const int64_t lo = std::min(a.Y, b.Y);
                const int64_t hi = std::max(a.Y, b.Y);
                const int64_t top = std::max<int64_t>(CeilDiv(lo, cellHeight) - 1, 0);
                const int64_t bottom = std::min<int64_t>(CeilDiv(hi, cellHeight), rows - 1);
                if (top > bottom) {
                    continue;
                }
                edges.push_back(
                    {static_cast<int32_t>(top), Edge{a, b, static_cast<int32_t>(bottom)}});
            }
        }
        if (edges.empty()) {
            return;
        }
        firstRow_ = rows;
        lastRow_ = -1;
        for (const auto& e : edges) {
            firstRow_ = std::min(firstRow_, e.first);
            lastRow_ = std::max(lastRow_, e.second.LastRow);
        }
        starts_.assign(static_cast<std::size_t>(lastRow_ - firstRow_) + 2, 0);
        for (const auto& e : edges) {
            ++starts_[static_cast<std::size_t>(e.first - firstRow_) + 1];
        }
        for (std::size_t r = 1; r < starts_.size(); ++r) {
            starts_[r] += starts_[r - 1];
        }
        byStart_.resize(edges.size());
        std::vector<std::size_t> fill(starts_.begin(), starts_.end() - 1);
        for (const auto& e : edges) {
            byStart_[fill[static_cast<std::size_t>(e.first - firstRow_)]++] = e.second;
        }
    }

    int32_t FirstRow() const { return firstRow_; }
    int32_t LastRow() const { return lastRow_; }

    // The x of every crossing of line y in row r, ascending. Rows must come in
    // order, from FirstRow() to LastRow().
    const std::vector<double>& Crossings(int32_t r, int32_t y) {
        active_.erase(std::remove_if(active_.begin(), active_.end(),
                                     [r](const Edge& e) { return e.LastRow < r; }),
                      active_.end());
        const auto ur = static_cast<std::size_t>(r - firstRow_);
        active_.insert(active_.end(), byStart_.begin() + static_cast<std::ptrdiff_t>(starts_[ur]),
                       byStart_.begin() + static_cast<std::ptrdiff_t>(starts_[ur + 1]));
        xs_.clear();
        for (const Edge& e : active_) {
            if (EdgeCrossesLine(e.A, e.B, y)) {
                xs_.push_back(CrossingX(e.A, e.B, y));
            }
        }
        std::sort(xs_.begin(), xs_.end());
        return xs_;
    }

private:
    int32_t firstRow_ = 0;
    int32_t lastRow_ = -1; // no row: the rings cross no row line of the grid
    std::vector<std::size_t> starts_;
    std::vector<Edge> byStart_;
    std::vector<Edge> active_;
    std::vector<double> xs_;
};

// A cell is inside when an odd number of crossings lie strictly east of its
// north-west corner, exactly as PointInPolygon counts them. Closed rings cross
// any line an even number of times, so the cells west of the first crossing are
// outside and the scan starts at it. `xs` holds the cells' west edges.
void MarkInteriorRow(const std::vector<double>& crossings, const std::vector<int32_t>& xs,
                     const GridNumberer& numberer, int32_t r, uint8_t* row) {
    if (crossings.empty()) {
        return;
    }
    std::size_t k = 0;
    const std::size_t m = crossings.size();
    const auto first = std::partition_point(xs.begin(), xs.end(), [x0 = crossings[0]](int32_t x) {
        return static_cast<double>(x) < x0;
    });
    for (auto c = static_cast<std::size_t>(first - xs.begin()); c < xs.size(); ++c) {
        const auto x = static_cast<double>(xs[c]);
        while (k < m && !(x < crossings[k])) {
            ++k;
        }
        if (k == m) {
            return; // nothing east of here: the rest of the row is outside
        }
        if (((m - k) & 1U) != 0 && row[c] == 0 && numberer.Inside(r, static_cast<int32_t>(c))) {
            row[c] = 1;
        }
    }
}

} // namespace

void MarkTouchedCells(const Segment& seg, const CellFrame& frame, uint8_t* in) {
    const int64_t cols = static_cast<int64_t>(frame.Xs.size());
    const int64_t rows = static_cast<int64_t>(frame.Ys.size());
    const int32_t cellWidth = frame.Width;
    const int32_t cellHeight = frame.Height;
    const PixelPoint& p = seg.P;
    const PixelPoint& q = seg.Q;
    const int64_t minX = std::min(p.X, q.X);
    const int64_t maxX = std::max(p.X, q.X);
    const int64_t minY = std::min(p.Y, q.Y);
    const int64_t maxY = std::max(p.Y, q.Y);
    const int64_t c0 = std::max<int64_t>(FloorDiv(minX, cellWidth) - 1, 0);
    const int64_t c1 = std::min<int64_t>(FloorDiv(maxX, cellWidth) + 1, cols - 1);
    const int64_t rAll0 = std::max<int64_t>(FloorDiv(minY, cellHeight) - 1, 0);
    const int64_t rAll1 = std::min<int64_t>(FloorDiv(maxY, cellHeight) + 1, rows - 1);
    if (c0 > c1 || rAll0 > rAll1) {
        return;
    }
    const double px = p.X;
    const double py = p.Y;
    const double dx = static_cast<double>(q.X) - px;
    const double dy = static_cast<double>(q.Y) - py;
    for (int64_t c = c0; c <= c1; ++c) {
        int64_t r0 = rAll0;
        int64_t r1 = rAll1;
        if (dx != 0) {
            // The part of the segment over this column strip, by its end points.
            const double lo = static_cast<double>(minX);
            const double hi = static_cast<double>(maxX);
            const double xa = std::clamp(static_cast<double>(c * cellWidth), lo, hi);
            const double xb = std::clamp(static_cast<double>((c + 1) * cellWidth), lo, hi);
            const double ya = py + (xa - px) * (dy / dx);
            const double yb = py + (xb - px) * (dy / dx);
            r0 = std::max(FloorIndex(std::min(ya, yb), cellHeight) - 1, rAll0);
            r1 = std::min(FloorIndex(std::max(ya, yb), cellHeight) + 1, rAll1);
        }
        const int32_t x = frame.Xs[static_cast<std::size_t>(c)];
        for (int64_t r = r0; r <= r1; ++r) {
            uint8_t& flag = in[static_cast<std::size_t>(r * cols + c)];
            if (flag == 0 && SegmentTouchesSheet(p, q,
                                                 CellAt(x, frame.Ys[static_cast<std::size_t>(r)],
                                                        cellWidth, cellHeight))) {
                flag = 1;
            }
        }
    }
}

CellFrame::CellFrame(const Settings& s, int32_t cols, int32_t rows)
    : Width(SheetPixelWidth(s)), Height(s.SheetPixelHeight),
      Xs(static_cast<std::size_t>(std::max(cols, 0))),
      Ys(static_cast<std::size_t>(std::max(rows, 0))) {
    for (std::size_t c = 0; c < Xs.size(); ++c) {
        Xs[c] = CheckedMul(static_cast<int32_t>(c), Width);
    }
    for (std::size_t r = 0; r < Ys.size(); ++r) {
        Ys[r] = CheckedMul(static_cast<int32_t>(r), Height);
    }
}

void EnumerateInCells(const Settings& s, const std::vector<Segment>& segments,
                      const std::vector<RingSet>& polygons, const SheetGrid& g,
                      const GridNumberer& numberer, CellFlags& in, const ComputeControl& ctl) {
    in.assign(static_cast<std::size_t>(std::max(g.GridCols, 0)) *
                  static_cast<std::size_t>(std::max(g.GridRows, 0)),
              0);
    if (g.GridRows <= 0 || g.GridCols <= 0) {
        return;
    }
    const ProgressTracker cancel(ctl, 0); // for its cancellation check only
    const CellFrame frame(s, g.GridCols, g.GridRows);
    for (const Segment& seg : segments) {
        MarkTouchedCells(seg, frame, in.data());
    }
    cancel.CheckCancel();
    std::vector<EdgeSweep> sweeps;
    sweeps.reserve(polygons.size());
    for (const RingSet& polygon : polygons) {
        EdgeSweep sweep(polygon, frame.Height, g.GridRows);
        if (sweep.FirstRow() <= sweep.LastRow()) {
            sweeps.push_back(std::move(sweep));
        }
    }
    // Each row asks only the features whose rows it lies in.
    std::sort(sweeps.begin(), sweeps.end(),
              [](const EdgeSweep& a, const EdgeSweep& b) { return a.FirstRow() < b.FirstRow(); });
    std::vector<EdgeSweep*> active;
    std::size_t nextSweep = 0;
    const auto cols = static_cast<std::size_t>(g.GridCols);
    for (int32_t r = 0; r < g.GridRows; ++r) {
        cancel.CheckCancel();
        uint8_t* row = in.data() + static_cast<std::size_t>(r) * cols;
        // A touched cell outside the index is never IN.
        for (std::size_t c = 0; c < cols; ++c) {
            if (row[c] != 0 && !numberer.Inside(r, static_cast<int32_t>(c))) {
                row[c] = 0;
            }
        }
        while (nextSweep < sweeps.size() && sweeps[nextSweep].FirstRow() <= r) {
            active.push_back(&sweeps[nextSweep++]);
        }
        active.erase(std::remove_if(active.begin(), active.end(),
                                    [r](const EdgeSweep* e) { return e->LastRow() < r; }),
                     active.end());
        for (EdgeSweep* sweep : active) {
            MarkInteriorRow(sweep->Crossings(r, frame.Ys[static_cast<std::size_t>(r)]), frame.Xs,
                            numberer, r, row);
        }
    }
}

void FastSheetEnumeration(const Settings& s, const std::vector<Segment>& segments,
                          const std::vector<RingSet>& polygons, SheetGrid& g,
                          const ComputeControl& ctl) {
    if (g.GridRows <= 0 || g.GridCols <= 0) {
        return;
    }
    const GridNumberer numberer(s, g);
    CellFlags in;
    EnumerateInCells(s, segments, polygons, g, numberer, in, ctl);
    ProgressTracker tracker(ctl, g.SheetCount);
    const auto cols = static_cast<std::size_t>(g.GridCols);
    int64_t done = 0;
    for (int32_t r = 0; r < g.GridRows; ++r) {
        tracker.CheckCancel();
        SheetRec* row = g.SheetList.data() + static_cast<std::size_t>(r) * cols;
        const uint8_t* flags = in.data() + static_cast<std::size_t>(r) * cols;
        numberer.NumberRow(r, row);
        for (std::size_t c = 0; c < cols; ++c) {
            row[c].InFlag = flags[c];
            tracker.CellDone(++done);
        }
    }
    g.CurrentSheetNo = numberer.Number(g.GridRows - 1, g.GridCols - 1);
}

} // namespace sw

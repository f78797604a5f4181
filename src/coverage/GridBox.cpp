#include "coverage/GridBox.h"

#include "coverage/Coverage.h"
#include "coverage/LargeBlock.h"
#include "index/CheckedMath.h"

#include <algorithm>
#include <new>

namespace sw {

namespace {

// Floor and ceiling to a multiple of `step` (> 0) in 64 bits, so that a
// coordinate near the end of the 32-bit range cannot wrap before it is checked.
int64_t FloorMultiple(int64_t v, int64_t step) {
    int64_t q = v / step;
    if (v % step != 0 && v < 0) {
        --q;
    }
    return q * step;
}

int64_t CeilMultiple(int64_t v, int64_t step) {
    int64_t q = v / step;
    if (v % step != 0 && v > 0) {
        ++q;
    }
    return q * step;
}

// A coordinate in whole seconds and the fraction of a second beyond them.
struct Coordinate {
    int32_t Sec = 0;
    float Fraction = 0;

    double Exact() const { return static_cast<double>(Sec) + static_cast<double>(Fraction); }
};

// One sheet further out when the extreme lies exactly on a sheet boundary. A
// fraction (less than a second) moves it off the boundary to one side.
int32_t LowEdge(const Coordinate& v, int32_t step) {
    int64_t e = FloorMultiple(v.Sec, step);
    if (e == v.Sec && !(v.Fraction > 0)) {
        e -= step;
    }
    return CheckedNarrow(e);
}

int32_t HighEdge(const Coordinate& v, int32_t step) {
    int64_t e = CeilMultiple(v.Sec, step);
    if (e == v.Sec && !(v.Fraction < 0)) {
        e += step;
    }
    return CheckedNarrow(e);
}

} // namespace

void CheckGridSettings(const Settings& s) {
    if (s.SheetWidthSec <= 0 || s.SheetHeightSec <= 0 || s.SheetPixelHeight <= 0 ||
        SheetPixelWidth(s) <= 0) {
        throw ComputeError("Invalid sheet size or zoom");
    }
}

void ComputeGridBox(const Settings& s, const Feature& f, int32_t vertexCount, SheetGrid& g) {
    ComputeGridBox(s, std::vector<const Feature*>{&f}, std::vector<int32_t>{vertexCount}, g);
}

void ComputeGridBox(const Settings& s, const std::vector<const Feature*>& features,
                    const std::vector<int32_t>& counts, SheetGrid& g) {
    bool any = false;
    Coordinate minLon;
    Coordinate maxLon;
    Coordinate minLat;
    Coordinate maxLat;
    for (std::size_t k = 0; k < features.size(); ++k) {
        const Feature& f = *features[k];
        for (int32_t i = 0; i < counts[k]; ++i) {
            const VertexRec& v = f.Vertices[static_cast<std::size_t>(i)];
            const Coordinate lon{DmsToSec(v.Long), v.LongFraction};
            const Coordinate lat{DmsToSec(v.Lat), v.LatFraction};
            if (!any) {
                minLon = maxLon = lon;
                minLat = maxLat = lat;
                any = true;
                continue;
            }
            if (lon.Exact() < minLon.Exact()) {
                minLon = lon;
            }
            if (lon.Exact() > maxLon.Exact()) {
                maxLon = lon;
            }
            if (lat.Exact() < minLat.Exact()) {
                minLat = lat;
            }
            if (lat.Exact() > maxLat.Exact()) {
                maxLat = lat;
            }
        }
    }
    const int32_t west = LowEdge(minLon, s.SheetWidthSec);
    const int32_t east = HighEdge(maxLon, s.SheetWidthSec);
    const int32_t north = HighEdge(maxLat, s.SheetHeightSec);
    const int32_t south = LowEdge(minLat, s.SheetHeightSec);
    g.GridCols = CheckedSub(east, west) / s.SheetWidthSec;
    g.GridRows = CheckedSub(north, south) / s.SheetHeightSec;
    g.GridWest = SecToDms(west);
    g.GridEast = SecToDms(east);
    g.GridNorth = SecToDms(north);
    g.GridSouth = SecToDms(south);
    g.GridWestSec = west;
    g.GridNorthSec = north;
}

int64_t CheckedSheetCount(int32_t cols, int32_t rows) {
    const int64_t count = static_cast<int64_t>(std::max(cols, 0)) * std::max(rows, 0);
    if (count > MaxSheetCount) {
        throw ComputeError(ExtentTooLargeMessage);
    }
    return count;
}

void AllocateSheetList(const Settings& s, int32_t cols, int32_t rows, SheetGrid& g) {
    const int64_t count = CheckedSheetCount(cols, rows);
    const int32_t w = SheetPixelWidth(s);
    // Positions first: an overflow is found before the big allocation is made.
    std::vector<int32_t> xs;
    std::vector<int32_t> ys;
    std::vector<SheetRec> list;
    try {
        xs.resize(static_cast<std::size_t>(std::max(cols, 0)));
        ys.resize(static_cast<std::size_t>(std::max(rows, 0)));
        for (int32_t c = 0; c < cols; ++c) {
            xs[static_cast<std::size_t>(c)] = CheckedMul(c, w);
        }
        for (int32_t r = 0; r < rows; ++r) {
            ys[static_cast<std::size_t>(r)] = CheckedMul(r, s.SheetPixelHeight);
        }
        // Reserved, not resized: each record is written once, complete, below,
        // instead of being zeroed first and given its position in a second pass.
        list.reserve(static_cast<std::size_t>(count));
    } catch (const std::bad_alloc&) {
        throw ComputeError(ExtentTooLargeMessage);
    } catch (const std::length_error&) {
        throw ComputeError(ExtentTooLargeMessage);
    }
    AdviseLargeBlock(list.data(), list.capacity() * sizeof(SheetRec));
    for (int32_t r = 0; r < rows; ++r) {
        const int32_t y = ys[static_cast<std::size_t>(r)];
        for (int32_t c = 0; c < cols; ++c) {
            SheetRec& rec = list.emplace_back();
            rec.X = xs[static_cast<std::size_t>(c)];
            rec.Y = y;
        }
    }
    g.SheetList = std::move(list);
    g.SheetCount = static_cast<int32_t>(count);
    g.GridCols = cols;
    g.GridRows = rows;
}

} // namespace sw

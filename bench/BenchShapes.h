#pragma once

// The features the benchmarks run on: closed rings shaped like a state's outline,
// at the finest open scale.

#include "coverage/Coverage.h"
#include "coverage/Feature.h"
#include "coverage/SheetGrid.h"
#include "index/Settings.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

namespace sw::bench {

inline Settings OpenFinest() {
    Settings s = StartSettings();
    SelectSeries(s, Series::OpenSeries);
    SelectScale(s, 6); // "1:2000", 36" sheets
    s.SheetPixelHeight = 70;
    return s;
}

inline int32_t Sec(double deg) {
    return static_cast<int32_t>(std::lround(deg * 3600.0));
}

// A ring of `n` vertices filling the box [lat0, lat1] x [lon0, lon1] the way a
// state's outline does: a closed curve with bays and capes at several sizes plus
// a little jitter at each vertex. With `spiky`, each vertex's radius is drawn
// anew instead, giving n spikes hundreds of cells long (a worst case, not a shape
// anyone enters).
inline Feature Ring(int n, double lat0, double lat1, double lon0, double lon1, uint32_t seed,
                    bool spiky = false) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> jitter(-0.002, 0.002);
    std::uniform_real_distribution<double> spike(0.80, 1.0);
    std::vector<double> xs;
    std::vector<double> ys;
    for (int i = 0; i < n; ++i) {
        const double a = 2 * M_PI * i / n;
        const double k = spiky ? spike(rng)
                               : 0.86 + 0.08 * std::sin(5 * a) + 0.04 * std::sin(23 * a + 1) +
                                     0.015 * std::sin(131 * a + 2) + jitter(rng);
        xs.push_back(k * std::cos(a));
        ys.push_back(k * std::sin(a));
    }
    // Stretched to fill the box exactly, so the grid is the size asked for.
    const auto [x0, x1] = std::minmax_element(xs.begin(), xs.end());
    const auto [y0, y1] = std::minmax_element(ys.begin(), ys.end());
    std::vector<VertexRec> vs;
    vs.reserve(static_cast<std::size_t>(n));
    for (std::size_t i = 0; i < xs.size(); ++i) {
        const double lon = lon0 + (xs[i] - *x0) / (*x1 - *x0) * (lon1 - lon0);
        const double lat = lat0 + (ys[i] - *y0) / (*y1 - *y0) * (lat1 - lat0);
        vs.push_back(VertexRec{SecToDms(Sec(lat)), SecToDms(Sec(lon))});
    }
    return MakeVertexFeature(std::move(vs), true);
}

// A polygon ring over the box with its grid computed at "1:2000": the model the
// layout and output benchmarks start from.
struct ComputedRing {
    Settings s;
    Feature f;
    SheetGrid g;
};

inline ComputedRing ComputeRing(int n, double lat0, double lat1, double lon0, double lon1,
                                uint32_t seed) {
    ComputedRing out;
    out.s = OpenFinest();
    out.s.DataType = DataKind::Polygon;
    out.f = Ring(n, lat0, lat1, lon0, lon1, seed);
    ComputeSheets(out.s, out.f, out.g);
    return out;
}

} // namespace sw::bench

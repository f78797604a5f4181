#pragma once

// A district layer as users have them: 700 wobbly rings tiling a state of about
// 11 by 10 degrees, 100,000 vertices in all. Shared by the benchmarks of the
// computation and of reading the layer from a file.

#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

namespace sw::bench {

struct LonLat {
    double Lon = 0;
    double Lat = 0;
};

inline constexpr int DistrictColumns = 28;
inline constexpr int DistrictRows = 25;
inline constexpr int DistrictCount = DistrictColumns * DistrictRows; // 700
inline constexpr int DistrictLayerVertices = 100'000;

// District k's ring, not closed: a bumpy outline inside its 0.4-degree tile.
inline std::vector<LonLat> DistrictRing(int k) {
    const int n =
        DistrictLayerVertices / DistrictCount + (k < DistrictLayerVertices % DistrictCount);
    const double lon0 = 72.0 + 0.4 * (k % DistrictColumns);
    const double lat0 = 21.0 + 0.4 * (k / DistrictColumns);
    std::mt19937 rng(static_cast<uint32_t>(k) + 1);
    std::uniform_real_distribution<double> jitter(-0.01, 0.01);
    std::vector<LonLat> ring;
    ring.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        const double a = 2 * M_PI * i / n;
        const double r = 0.19 * (0.9 + 0.06 * std::sin(5 * a + k) + jitter(rng));
        ring.push_back({lon0 + 0.2 + r * std::cos(a), lat0 + 0.2 + r * std::sin(a)});
    }
    return ring;
}

} // namespace sw::bench

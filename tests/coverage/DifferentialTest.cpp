// The production enumeration against the reference, cell for cell, on seeded
// random features built to hit the awkward places: vertices on grid lines and
// corners, within half a pixel of them, repeated vertices, zero-length and
// collinear segments, self-overlapping rings and the cut-outs of the index.

#include "CoverageTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace sw::test {
namespace {

constexpr int32_t Zooms[] = {5, 35, 65, 70, 75, 140};

class FeatureMaker {
public:
    FeatureMaker(uint32_t seed, const Settings& s) : rng_(seed), s_(s) {}

    // A vertex near the box [lat0, lat0 + spanH sheets) x [lon0, ...), snapped in
    // one of several ways.
    VertexRec Vertex() {
        const int32_t w = s_.SheetWidthSec;
        const int32_t h = s_.SheetHeightSec;
        int32_t lat = lat0_ + Uniform(0, spanRows_ * h);
        int32_t lon = lon0_ + Uniform(0, spanCols_ * w);
        // One pixel in seconds, for placing vertices within half a pixel of a line.
        const int32_t pixLat = std::max(1, h / s_.SheetPixelHeight);
        const int32_t pixLon = std::max(1, w / std::max(1, SheetPixelWidth(s_)));
        switch (Uniform(0, 9)) {
        case 0: // on a grid line of latitude
            lat = lat - Mod(lat, h);
            break;
        case 1: // on a grid line of longitude
            lon = lon - Mod(lon, w);
            break;
        case 2: // on a corner
            lat = lat - Mod(lat, h);
            lon = lon - Mod(lon, w);
            break;
        case 3: // within half a pixel of a corner
            lat = lat - Mod(lat, h) + Uniform(-pixLat / 2 - 1, pixLat / 2 + 1);
            lon = lon - Mod(lon, w) + Uniform(-pixLon / 2 - 1, pixLon / 2 + 1);
            break;
        case 4: // within half a pixel of a line
            lon = lon - Mod(lon, w) + Uniform(-pixLon / 2 - 1, pixLon / 2 + 1);
            break;
        default:
            break;
        }
        return V(lat, lon);
    }

    Feature Make(int kind) {
        NewBox();
        return MakeInBox(kind);
    }

    // The box may lie anywhere over the index and a little outside it, so the
    // cut-outs and the "#" cells take part.
    void NewBox() {
        spanCols_ = Uniform(0, 11);
        spanRows_ = Uniform(0, 11);
        const int32_t w = s_.SheetWidthSec;
        const int32_t h = s_.SheetHeightSec;
        lat0_ = Sec(2) + Uniform(0, (Sec(42) - Sec(2)) / h) * h;
        lon0_ = Sec(62) + Uniform(0, (Sec(102) - Sec(62)) / w) * w;
        if (Uniform(0, 3) == 0) {
            // Straddle a cut-out edge: 20°N / 72°E, 16°N / 84°E, 21°N / 88°E.
            const int32_t edges[][2] = {{20, 72}, {16, 84}, {21, 88}, {16, 92}, {40, 100}};
            const auto& e = edges[Uniform(0, 4)];
            lat0_ = Sec(e[0]) - (spanRows_ / 2) * h;
            lon0_ = Sec(e[1]) - (spanCols_ / 2) * w;
        }
    }

    // A box of its own: from (lat0, lon0), so many sheets each way.
    void SetBox(int32_t lat0, int32_t lon0, int32_t rows, int32_t cols) {
        lat0_ = lat0;
        lon0_ = lon0;
        spanRows_ = rows;
        spanCols_ = cols;
    }

    // Moves the box up to 30 sheets either way: far apart, yet on a grid a test
    // can afford at the finest scale.
    void MoveBox() {
        lat0_ += Uniform(-30, 30) * s_.SheetHeightSec;
        lon0_ += Uniform(-30, 30) * s_.SheetWidthSec;
    }

    // A feature of the kind in the current box: 0 point, 1 polyline, 2 polygon.
    Feature MakeInBox(int kind) {
        std::vector<VertexRec> vs;
        if (kind == 0) {
            const VertexRec p = Vertex();
            return MakePointFeature(p.Lat, p.Long);
        }
        const int32_t n = Uniform(1, 24);
        for (int32_t i = 0; i < n; ++i) {
            const int roll = Uniform(0, 9);
            if (roll == 0 && !vs.empty()) {
                vs.push_back(vs.back()); // repeated vertex, zero-length segment
            } else if (roll == 1 && vs.size() >= 2) {
                // Collinear continuation: the last step again, or back over it.
                const VertexRec& a = vs[vs.size() - 2];
                const VertexRec& b = vs.back();
                const int32_t k = Uniform(0, 1) == 0 ? 2 : -1;
                const int32_t dLat = DmsToSec(b.Lat) - DmsToSec(a.Lat);
                const int32_t dLon = DmsToSec(b.Long) - DmsToSec(a.Long);
                vs.push_back(V(DmsToSec(b.Lat) + k * dLat, DmsToSec(b.Long) + k * dLon));
            } else {
                vs.push_back(Vertex());
            }
        }
        if (kind == 2 && Uniform(0, 2) == 0) {
            vs.push_back(vs.front()); // a closed ring
        }
        return MakeVertexFeature(std::move(vs), kind == 2);
    }

    int32_t Uniform(int32_t lo, int32_t hi) {
        return std::uniform_int_distribution<int32_t>(lo, hi)(rng_);
    }

private:
    static int32_t Mod(int32_t a, int32_t m) { return ((a % m) + m) % m; }

    std::mt19937 rng_;
    Settings s_;
    int32_t lat0_ = 0;
    int32_t lon0_ = 0;
    int32_t spanCols_ = 0;
    int32_t spanRows_ = 0;
};

// The IN cells alone, without the sheet list, must be those of the full grid.
void ExpectMaskOfGrid(const SheetMask& mask, const SheetGrid& grid, const std::string& what) {
    CellFlags flags;
    flags.reserve(grid.SheetList.size());
    for (const SheetRec& rec : grid.SheetList) {
        flags.push_back(rec.InFlag);
    }
    EXPECT_EQ(mask.In, flags) << what;
    EXPECT_TRUE(mask.Grid.SheetList.empty()) << what;
    SheetGrid withList = mask.Grid;
    withList.SheetList = grid.SheetList;
    EXPECT_TRUE(SameGrid(withList, grid)) << what;
}

void ExpectSameBothWays(const Settings& s, const Feature& f, const std::string& what) {
    Feature fastF = f;
    Feature refF = f;
    std::vector<std::string> fastProgress;
    std::vector<std::string> refProgress;
    SheetGrid fast;
    SheetGrid ref;
    try {
        fast = Compute(s, fastF, Algorithm::Fast, &fastProgress);
    } catch (const std::exception& e) {
        ADD_FAILURE() << what << ": fast threw " << e.what();
        return;
    }
    ref = Compute(s, refF, Algorithm::Reference, &refProgress);
    ASSERT_TRUE(SameGrid(fast, ref)) << what;
    ASSERT_EQ(fastF.FeaturePoints, refF.FeaturePoints) << what;
    ASSERT_EQ(fastProgress, refProgress) << what;
    Feature maskF = f;
    SheetMask mask;
    ComputeSheetMask(s, maskF, mask);
    ExpectMaskOfGrid(mask, fast, what);
    EXPECT_EQ(maskF.FeaturePoints, fastF.FeaturePoints) << what;
}

TEST(Differential, RandomFeaturesOfEveryKindBothSeriesAllScalesAndZooms) {
    int cases = 0;
    for (Series series : {Series::OldSeries, Series::OpenSeries}) {
        const auto scales = static_cast<int32_t>(ScaleCaptions(series).size());
        for (int32_t scale = 1; scale <= scales; ++scale) {
            for (int32_t zoom : Zooms) {
                const Settings s = SettingsFor(series, scale, zoom);
                FeatureMaker maker(
                    static_cast<uint32_t>(static_cast<int>(series) * 1000 + scale * 100 + zoom), s);
                for (int i = 0; i < 90; ++i) {
                    const int kind = i % 3;
                    const Feature f = maker.Make(kind);
                    ExpectSameBothWays(s, f,
                                       "series " + std::to_string(static_cast<int>(series)) +
                                           " scale " + std::to_string(scale) + " zoom " +
                                           std::to_string(zoom) + " case " + std::to_string(i));
                    if (HasFatalFailure()) {
                        return;
                    }
                    ++cases;
                }
            }
        }
    }
    EXPECT_EQ(cases, (5 + 6) * 6 * 90);
}

TEST(Differential, OddZoomsAndLongerRings) {
    std::mt19937 rng(7);
    for (int i = 0; i < 600; ++i) {
        const Series series = i % 2 == 0 ? Series::OldSeries : Series::OpenSeries;
        const auto scales = static_cast<int32_t>(ScaleCaptions(series).size());
        const int32_t scale = std::uniform_int_distribution<int32_t>(1, scales)(rng);
        const int32_t zoom = std::uniform_int_distribution<int32_t>(1, 140)(rng);
        const Settings s = SettingsFor(series, scale, zoom);
        FeatureMaker maker(static_cast<uint32_t>(rng()), s);
        Feature f = maker.Make(1 + i % 2);
        // Lengthen the ring so that rows are crossed many times over.
        for (int extra = 0; extra < 40; ++extra) {
            f.Vertices.push_back(maker.Vertex());
        }
        f.VertexCount = static_cast<int32_t>(f.Vertices.size());
        f.FeaturePoints.resize(f.Vertices.size());
        ExpectSameBothWays(s, f, "case " + std::to_string(i) + " zoom " + std::to_string(zoom));
        if (HasFatalFailure()) {
            return;
        }
    }
}

TEST(Differential, LargeRectangleWithLongEdges) {
    // Edges tens of thousands of pixels long: the crossing product leaves the
    // 32-bit range and must still give the exact crossing.
    const Settings s = SettingsFor(Series::OpenSeries, 5, 140); // 3' sheets, 140 px
    const int32_t lat0 = Sec(24);
    const int32_t lon0 = Sec(76);
    std::vector<VertexRec> vs{V(lat0, lon0), V(lat0 + Sec(3, 10), lon0 + 17),
                              V(lat0 + Sec(3, 7), lon0 + Sec(3, 3)),
                              V(lat0 + 11, lon0 + Sec(2, 59))};
    Feature f = MakeVertexFeature(vs, true);
    ExpectSameBothWays(s, f, "large rectangle");
}

// A feature of several parts: parts in one box or in boxes far apart, holes
// (a ring inside another), parts that share an edge with the one before, and
// parts of mixed kinds.
Feature MultiPart(FeatureMaker& maker, bool mixedKinds) {
    std::vector<VertexRec> vs;
    std::vector<FeaturePart> parts;
    const int count = maker.Uniform(1, 5);
    for (int p = 0; p < count; ++p) {
        if (maker.Uniform(0, 3) == 0) {
            maker.MoveBox(); // far from the parts before
        }
        const int kind = mixedKinds ? maker.Uniform(0, 2) : 2;
        std::vector<VertexRec> part;
        if (kind == 0) {
            for (int k = maker.Uniform(1, 3); k > 0; --k) {
                part.push_back(maker.Vertex());
            }
        } else {
            part = maker.MakeInBox(kind).Vertices;
        }
        const int shape = maker.Uniform(0, 3);
        if (shape == 0 && !vs.empty() &&
            vs.size() - static_cast<std::size_t>(parts.back().Start) >= 2) {
            // Shares the last edge of the part before, walked the other way.
            part.insert(part.begin(), vs[vs.size() - 2]);
            part.insert(part.begin(), vs.back());
        } else if (shape == 1 && !vs.empty()) {
            // A hole: the part before, shrunk towards its first vertex.
            const VertexRec c = vs[static_cast<std::size_t>(parts.back().Start)];
            part.clear();
            for (std::size_t i = static_cast<std::size_t>(parts.back().Start); i < vs.size(); ++i) {
                part.push_back(V((DmsToSec(vs[i].Lat) + DmsToSec(c.Lat)) / 2,
                                 (DmsToSec(vs[i].Long) + DmsToSec(c.Long)) / 2));
            }
        }
        parts.push_back(
            FeaturePart{static_cast<int32_t>(vs.size()), static_cast<PartKind>(kind + 1)});
        vs.insert(vs.end(), part.begin(), part.end());
    }
    return MakePartsFeature(std::move(vs), std::move(parts));
}

void ExpectSameUnionBothWays(const Settings& s, const std::vector<Feature>& features,
                             const std::string& what) {
    std::vector<Feature> fastF = features;
    std::vector<Feature> refF = features;
    SheetGrid fast;
    SheetGrid ref;
    try {
        ComputeUnion(s, fastF, fast, {}, Algorithm::Fast);
    } catch (const std::exception& e) {
        ADD_FAILURE() << what << ": fast threw " << e.what();
        return;
    }
    ComputeUnion(s, refF, ref, {}, Algorithm::Reference);
    ASSERT_TRUE(SameGrid(fast, ref)) << what;
    for (std::size_t i = 0; i < features.size(); ++i) {
        ASSERT_EQ(fastF[i].FeaturePoints, refF[i].FeaturePoints) << what;
    }
    std::vector<Feature> maskF = features;
    SheetMask mask;
    ComputeUnionMask(s, maskF, mask);
    ExpectMaskOfGrid(mask, fast, what);
}

TEST(Differential, MultiPartFeaturesWithHolesFarPartsAndSharedEdges) {
    std::mt19937 rng(11);
    for (int i = 0; i < 1500; ++i) {
        const Series series = i % 2 == 0 ? Series::OldSeries : Series::OpenSeries;
        const auto scales = static_cast<int32_t>(ScaleCaptions(series).size());
        const int32_t scale = std::uniform_int_distribution<int32_t>(1, scales)(rng);
        const Settings s = SettingsFor(series, scale, Zooms[i % 6]);
        FeatureMaker maker(static_cast<uint32_t>(rng()), s);
        maker.NewBox();
        const Feature f = MultiPart(maker, i % 3 == 0);
        ExpectSameBothWays(s, f, "multi-part case " + std::to_string(i));
        if (HasFatalFailure()) {
            return;
        }
    }
}

TEST(Differential, UnionsOfSeveralFeatures) {
    std::mt19937 rng(12);
    for (int i = 0; i < 600; ++i) {
        const Series series = i % 2 == 0 ? Series::OldSeries : Series::OpenSeries;
        const auto scales = static_cast<int32_t>(ScaleCaptions(series).size());
        const int32_t scale = std::uniform_int_distribution<int32_t>(1, scales)(rng);
        const Settings s = SettingsFor(series, scale, Zooms[i % 6]);
        FeatureMaker maker(static_cast<uint32_t>(rng()), s);
        std::vector<Feature> features;
        maker.NewBox();
        for (int k = maker.Uniform(1, 4); k > 0; --k) {
            if (maker.Uniform(0, 1) == 0) {
                maker.MoveBox();
            }
            features.push_back(maker.Uniform(0, 1) == 0 ? MultiPart(maker, true)
                                                        : maker.MakeInBox(maker.Uniform(0, 2)));
        }
        ExpectSameUnionBothWays(s, features, "union case " + std::to_string(i));
        if (HasFatalFailure()) {
            return;
        }
    }
}

TEST(Differential, SheetsThatStraddleTheEdgeOfTheIndexAndFractionsOfASecond) {
    // Boxes around the 1:1M sheets that reach into the index from a corner that
    // is not covered (old 79; open zone 41 west of 64°E; zone 46 east of 90°E),
    // at the scales whose cells they hold, with vertices given fractions of a
    // second as GIS layers give them.
    const int32_t corners[][2] = {{20, 88}, {28, 60}, {4, 90}, {16, 88}, {36, 60}};
    std::mt19937 rng(20);
    std::uniform_real_distribution<float> fraction(-0.5F, 0.5F);
    int cases = 0;
    for (Series series : {Series::OldSeries, Series::OpenSeries}) {
        for (int32_t scale : {1, 2}) {
            for (int32_t zoom : Zooms) {
                const Settings s = SettingsFor(series, scale, zoom);
                FeatureMaker maker(static_cast<uint32_t>(rng()), s);
                for (int i = 0; i < 60; ++i) {
                    const auto& c = corners[i % 5];
                    const int32_t rows = maker.Uniform(0, scale == 1 ? 3 : 10);
                    const int32_t cols = maker.Uniform(0, scale == 1 ? 3 : 10);
                    maker.SetBox(Sec(c[0]) - rows / 2 * s.SheetHeightSec,
                                 Sec(c[1]) - cols / 2 * s.SheetWidthSec, rows, cols);
                    Feature f = i % 4 == 3 ? MultiPart(maker, true) : maker.MakeInBox(i % 3);
                    if (i % 2 == 1) {
                        for (VertexRec& v : f.Vertices) {
                            v.LatFraction = fraction(rng);
                            v.LongFraction = fraction(rng);
                        }
                    }
                    ExpectSameBothWays(s, f,
                                       "edge series " + std::to_string(static_cast<int>(series)) +
                                           " scale " + std::to_string(scale) + " zoom " +
                                           std::to_string(zoom) + " case " + std::to_string(i));
                    if (HasFatalFailure()) {
                        return;
                    }
                    ++cases;
                }
            }
        }
    }
    EXPECT_EQ(cases, 2 * 2 * 6 * 60);
}

} // namespace
} // namespace sw::test

#include "coverage/Coverage.h"

#include "coverage/CellNumbering.h"
#include "coverage/CellTests.h"
#include "coverage/Enumeration.h"
#include "coverage/FeatureUnion.h"
#include "coverage/GridBox.h"
#include "coverage/PixelFrame.h"

#include <algorithm>
#include <utility>

namespace sw {

namespace {

// Computes the grid of the features. With `mask`, only the IN flags are made,
// into *mask, and the grid's sheet list stays empty.
void ComputeFeatures(const Settings& s, const std::vector<Feature*>& features, SheetGrid& grid,
                     CellFlags* mask, const ComputeControl& ctl, Algorithm algorithm) {
    std::vector<const Feature*> readOnly(features.begin(), features.end());
    std::vector<int32_t> counts;
    counts.reserve(features.size());
    for (const Feature* f : features) {
        counts.push_back(UsableVertexCount(*f));
    }
    if (std::all_of(counts.begin(), counts.end(), [](int32_t n) { return n <= 0; })) {
        throw ComputeError(NoVerticesMessage);
    }
    CheckGridSettings(s);

    // Everything is built in locals and moved out at the end, so a refusal, an
    // overflow or a cancellation leaves the caller's grid and features untouched.
    SheetGrid g;
    ComputeGridBox(s, readOnly, counts, g);
    CellFlags in;
    if (mask != nullptr) {
        g.SheetCount = static_cast<int32_t>(CheckedSheetCount(g.GridCols, g.GridRows));
        (void)CellFrame(s, g.GridCols, g.GridRows); // refuses positions past 32 bits up front
    } else {
        AllocateSheetList(s, g.GridCols, g.GridRows, g);
    }

    std::vector<PolyPoints> points(features.size());
    std::vector<Segment> segments;
    std::vector<RingSet> polygons;
    for (std::size_t k = 0; k < features.size(); ++k) {
        const Feature& f = *features[k];
        const int32_t n = counts[k];
        if (n <= 0) {
            continue;
        }
        PolyPoints& pts = points[k];
        if (HasPolygonPart(f) || n >= 2 || !f.Parts.empty()) {
            pts.resize(f.Vertices.size());
            for (std::size_t i = 0; i < f.Vertices.size(); ++i) {
                pts[i] = GeoToPixel(s, g, f.Vertices[i]);
            }
        }
        const std::vector<Segment> own = FeatureSegments(f, pts, n);
        segments.insert(segments.end(), own.begin(), own.end());
        std::vector<Ring> rings = FeatureRings(f, n);
        if (!rings.empty()) {
            polygons.push_back(RingSet{&pts, std::move(rings)});
        }
    }

    if (mask != nullptr) {
        if (g.GridRows > 0 && g.GridCols > 0) {
            const GridNumberer numberer(s, g);
            EnumerateInCells(s, segments, polygons, g, numberer, in, ctl);
            g.CurrentSheetNo = numberer.Number(g.GridRows - 1, g.GridCols - 1);
        }
        g.InSheetCount = static_cast<int32_t>(std::count(in.begin(), in.end(), uint8_t{1}));
    } else {
        if (algorithm == Algorithm::Reference) {
            clipp_lines_along_sheets(s, segments, g, ctl);
            for (const RingSet& polygon : polygons) {
                MarkInteriorSheets(polygon, g);
            }
        } else {
            FastSheetEnumeration(s, segments, polygons, g, ctl);
        }
        g.InSheetCount =
            static_cast<int32_t>(std::count_if(g.SheetList.begin(), g.SheetList.end(),
                                               [](const SheetRec& r) { return r.InFlag == 1; }));
    }
    grid = std::move(g);
    if (mask != nullptr) {
        *mask = std::move(in);
    }
    for (std::size_t k = 0; k < features.size(); ++k) {
        if (counts[k] > 0 && HasPolygonPart(*features[k])) {
            features[k]->FeaturePoints = std::move(points[k]);
        }
    }
}

std::vector<Feature*> Pointers(std::vector<Feature>& features) {
    std::vector<Feature*> all;
    all.reserve(features.size());
    for (Feature& f : features) {
        all.push_back(&f);
    }
    return all;
}

// One feature, or the union of its members (MemberStarts) on a common grid.
void ComputeFeature(const Settings& s, Feature& f, SheetGrid& grid, CellFlags* mask,
                    const ComputeControl& ctl, Algorithm algorithm) {
    if (f.MemberStarts.size() < 2) {
        ComputeFeatures(s, {&f}, grid, mask, ctl, algorithm);
        return;
    }
    // A union of features: each member's rings on their own, on the common grid.
    std::vector<Feature> members = UnionMembers(f);
    SheetGrid g;
    CellFlags in;
    ComputeFeatures(s, Pointers(members), g, mask != nullptr ? &in : nullptr, ctl, algorithm);
    if (HasPolygonPart(f)) {
        PolyPoints pts(f.Vertices.size());
        for (std::size_t i = 0; i < f.Vertices.size(); ++i) {
            pts[i] = GeoToPixel(s, g, f.Vertices[i]);
        }
        f.FeaturePoints = std::move(pts);
    }
    grid = std::move(g);
    if (mask != nullptr) {
        *mask = std::move(in);
    }
}

} // namespace

void ComputeSheets(const Settings& s, Feature& f, SheetGrid& grid, const ComputeControl& ctl,
                   Algorithm algorithm) {
    ComputeFeature(s, f, grid, nullptr, ctl, algorithm);
}

void ComputeUnion(const Settings& s, std::vector<Feature>& features, SheetGrid& grid,
                  const ComputeControl& ctl, Algorithm algorithm) {
    ComputeFeatures(s, Pointers(features), grid, nullptr, ctl, algorithm);
}

void ComputeSheetMask(const Settings& s, Feature& f, SheetMask& mask, const ComputeControl& ctl) {
    ComputeFeature(s, f, mask.Grid, &mask.In, ctl, Algorithm::Fast);
}

void ComputeUnionMask(const Settings& s, std::vector<Feature>& features, SheetMask& mask,
                      const ComputeControl& ctl) {
    ComputeFeatures(s, Pointers(features), mask.Grid, &mask.In, ctl, Algorithm::Fast);
}

} // namespace sw

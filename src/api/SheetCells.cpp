// Sheets: the features handed in as plain geometry become the core's features,
// held to the whole arc second as the GIS reader holds a layer's vertices, and
// go through the command line's computation (ComputeUnionMask for the union, one
// computation per feature otherwise). The cells are numbered as they are handed
// out, so a grid of millions of cells never has its sheet list built.

#include "api/ApiSettings.h"

#include "coverage/CellNumbering.h"
#include "coverage/Coverage.h"
#include "coverage/Feature.h"
#include "index/CheckedMath.h"
#include "report/SheetOrder.h"

#include <cmath>
#include <stdexcept>

namespace sheetwright {

namespace {

bool IsLonLat(const LonLat& p) {
    return std::isfinite(p.Lon) && std::isfinite(p.Lat) && p.Lon >= -180.0 && p.Lon <= 180.0 &&
           p.Lat >= -90.0 && p.Lat <= 90.0;
}

sw::PartKind CoreKind(PartKind kind) {
    switch (kind) {
    case PartKind::Point:
        return sw::PartKind::Point;
    case PartKind::Line:
        return sw::PartKind::Polyline;
    case PartKind::Ring:
        return sw::PartKind::Polygon;
    }
    throw Error("unknown part kind " + std::to_string(static_cast<int>(kind)));
}

sw::Feature CoreFeature(const Geometry& g, std::size_t position) {
    std::vector<sw::VertexRec> vs;
    std::vector<sw::FeaturePart> parts;
    for (const Part& p : g.Parts) {
        if (p.Positions.empty()) {
            continue;
        }
        if (vs.size() + p.Positions.size() > static_cast<std::size_t>(INT32_MAX)) {
            throw Error("feature " + std::to_string(position) + " has too many positions");
        }
        parts.push_back({static_cast<int32_t>(vs.size()), CoreKind(p.Kind)});
        for (const LonLat& ll : p.Positions) {
            if (!IsLonLat(ll)) {
                throw Error("feature " + std::to_string(position) + ": (" + std::to_string(ll.Lon) +
                            ", " + std::to_string(ll.Lat) +
                            ") is not a WGS 84 longitude and latitude in degrees");
            }
            // Fractions of a second kept, as the GIS reader keeps them.
            vs.push_back(sw::DecimalVertex(ll.Lat, ll.Lon));
        }
    }
    if (vs.empty()) {
        throw Error("feature " + std::to_string(position) + " has no positions");
    }
    return sw::MakePartsFeature(std::move(vs), std::move(parts));
}

// The cells of one computed mask, appended to `out`.
void AppendCells(const sw::Settings& s, const sw::SheetMask& mask, bool inOnly, int32_t feature,
                 std::vector<Cell>& out) {
    const sw::SheetGrid& g = mask.Grid;
    const sw::GridNumberer numberer(s, g);
    const auto cols = static_cast<std::size_t>(g.GridCols);
    if (!inOnly) {
        for (int32_t r = 0; r < g.GridRows; ++r) {
            for (int32_t c = 0; c < g.GridCols; ++c) {
                Cell cell;
                cell.In =
                    mask.In[static_cast<std::size_t>(r) * cols + static_cast<std::size_t>(c)] != 0;
                if (numberer.Inside(r, c)) {
                    cell.Number = numberer.Number(r, c);
                }
                cell.Extent = detail::CellBox(s, g, r, c);
                cell.Feature = feature;
                out.push_back(std::move(cell));
            }
        }
        return;
    }
    // The IN cells, numbered, then put in the report's order.
    std::vector<sw::SheetRec> in;
    std::vector<std::pair<int32_t, int32_t>> where;
    for (int32_t r = 0; r < g.GridRows; ++r) {
        for (int32_t c = 0; c < g.GridCols; ++c) {
            if (mask.In[static_cast<std::size_t>(r) * cols + static_cast<std::size_t>(c)] != 0) {
                char number[sw::GridNumberer::MaxLength];
                sw::SheetRec& rec = in.emplace_back();
                rec.SheetNo.assign({number, numberer.Compose(r, c, number)});
                rec.InFlag = 1;
                where.emplace_back(r, c);
            }
        }
    }
    for (const uint32_t i : sw::InSheetsInReportOrder(in)) {
        Cell cell;
        cell.Number = in[i].SheetNo.str();
        cell.In = true;
        cell.Extent = detail::CellBox(s, g, where[i].first, where[i].second);
        cell.Feature = feature;
        out.push_back(std::move(cell));
    }
}

template <typename Compute> void Guarded(Compute compute) {
    try {
        compute();
    } catch (const sw::ComputeError& e) {
        throw Error(e.what());
    } catch (const sw::IntegerOverflow& e) {
        throw Error(e.what());
    } catch (const std::bad_alloc&) {
        throw Error(sw::ExtentTooLargeMessage);
    }
}

} // namespace

std::vector<Cell> Sheets(const std::vector<Geometry>& features, Series series,
                         const std::string& scale, const SheetsOptions& options) {
    sw::Settings s = detail::SettingsFor(series, scale);
    if (options.TouchResolution != 0) {
        if (options.TouchResolution < 1 || options.TouchResolution > sw::MaxSheetPixelHeight) {
            throw Error("touch resolution " + std::to_string(options.TouchResolution) +
                        " is not 1 to " + std::to_string(sw::MaxSheetPixelHeight));
        }
        s.SheetPixelHeight = options.TouchResolution;
    }
    if (features.empty()) {
        throw Error("no feature to compute");
    }
    std::vector<sw::Feature> core;
    core.reserve(features.size());
    for (std::size_t i = 0; i < features.size(); ++i) {
        core.push_back(CoreFeature(features[i], i));
    }
    std::vector<Cell> out;
    if (!options.PerFeature) {
        sw::SheetMask mask;
        Guarded([&] { sw::ComputeUnionMask(s, core, mask); });
        AppendCells(s, mask, options.InOnly, -1, out);
        return out;
    }
    for (std::size_t i = 0; i < core.size(); ++i) {
        sw::SheetMask mask;
        Guarded([&] { sw::ComputeSheetMask(s, core[i], mask); });
        AppendCells(s, mask, options.InOnly, static_cast<int32_t>(i), out);
    }
    return out;
}

} // namespace sheetwright

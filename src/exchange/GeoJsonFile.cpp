#include "exchange/GeoJsonFile.h"

#include "exchange/FileError.h"
#include "exchange/GisLayerReader.h"
#include "exchange/NumberText.h"
#include "exchange/SafeFile.h"

#include <cmath>
#include <cstdio>
#include <string_view>
#include <vector>

namespace sw {

namespace {

double Degrees(int32_t seconds) {
    return DmsToDecimal(SecToDms(seconds));
}

void AppendPosition(std::string& out, int32_t lonSec, int32_t latSec) {
    out += '[';
    out += FormatGeneral15(Degrees(lonSec));
    out += ',';
    out += FormatGeneral15(Degrees(latSec));
    out += ']';
}

// Sheet numbers are ASCII; anything else is escaped so the text stays valid JSON.
std::string JsonString(std::string_view s) {
    std::string out = "\"";
    for (const char ch : s) {
        const auto c = static_cast<unsigned char>(ch);
        if (ch == '"' || ch == '\\') {
            out += '\\';
            out += ch;
        } else if (c < 0x20 || c >= 0x80) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", c);
            out += buf;
        } else {
            out += ch;
        }
    }
    return out + '"';
}

} // namespace

void EmitGeoJson(const Settings& s, const SheetGrid& g, bool inOnly,
                 const std::function<void(std::string_view)>& put) {
    put("{\"type\":\"FeatureCollection\",\"features\":[");
    bool first = true;
    std::string out;
    for (int32_t r = 0; r < g.GridRows; ++r) {
        for (int32_t c = 0; c < g.GridCols; ++c) {
            const auto k = static_cast<std::size_t>(r) * static_cast<std::size_t>(g.GridCols) +
                           static_cast<std::size_t>(c);
            if (k >= g.SheetList.size()) {
                break;
            }
            const SheetRec& rec = g.SheetList[k];
            if (inOnly && rec.InFlag != 1) {
                continue;
            }
            const int32_t west = g.GridWestSec + c * s.SheetWidthSec;
            const int32_t east = west + s.SheetWidthSec;
            const int32_t north = g.GridNorthSec - r * s.SheetHeightSec;
            const int32_t south = north - s.SheetHeightSec;
            out.clear();
            out += first ? "\n" : ",\n";
            first = false;
            out += "{\"type\":\"Feature\",\"properties\":{\"sheet_no\":";
            out += JsonString(rec.SheetNo.view());
            out += ",\"in\":";
            out += rec.InFlag == 1 ? "true" : "false";
            out += "},\"geometry\":{\"type\":\"Polygon\",\"coordinates\":[[";
            AppendPosition(out, west, south);
            out += ',';
            AppendPosition(out, east, south);
            out += ',';
            AppendPosition(out, east, north);
            out += ',';
            AppendPosition(out, west, north);
            out += ',';
            AppendPosition(out, west, south);
            out += "]]}}";
            put(out);
        }
    }
    put("\n]}\n");
}

std::string GeoJsonText(const Settings& s, const SheetGrid& g, bool inOnly) {
    std::string text;
    EmitGeoJson(s, g, inOnly, [&text](std::string_view piece) { text += piece; });
    return text;
}

void WriteGeoJsonFile(const std::string& path, const Settings& s, const SheetGrid& g, bool inOnly) {
    StagedFile file(path, WriteFailureText::Runtime);
    EmitGeoJson(s, g, inOnly, [&file](std::string_view piece) { file.Write(piece); });
    file.Commit();
}

void ReadGeoJsonFile(const std::string& path, VertexTable& t, char decimalSeparator) {
    const GisLayer layer = ReadGisLayer(path, {});
    const GisFeature& first = layer.Features.front();
    if (first.Geometry != "LINESTRING" && first.Geometry != "POLYGON") {
        throw FileError("Cannot read \"" + path + "\": its first geometry is a " + first.Geometry +
                        "; only a LineString or a Polygon can be read");
    }
    const Feature& f = first.Shape;
    const bool polygon = first.Geometry == "POLYGON";
    // Each part's positions, a ring less its repeated closing one.
    std::vector<std::pair<std::size_t, std::size_t>> spans;
    std::size_t count = 0;
    const std::vector<FeaturePart> parts = PartsOver(f, f.VertexCount);
    for (std::size_t p = 0; p < parts.size(); ++p) {
        const auto from = static_cast<std::size_t>(parts[p].Start);
        std::size_t to =
            p + 1 < parts.size() ? static_cast<std::size_t>(parts[p + 1].Start) : f.Vertices.size();
        if (polygon && to - from >= 2 && f.Vertices[to - 1] == f.Vertices[from]) {
            --to;
        }
        spans.emplace_back(from, to);
        count += to - from;
    }
    // Decimal mode: vertex k in row k, latitude in column 1, longitude in column 2.
    SetGrid(t, true);
    if (t.RowCount() < static_cast<int32_t>(count) + 1) {
        t.SetRowCount(static_cast<int32_t>(count) + 1);
    }
    std::vector<int32_t> starts;
    int32_t row = 1;
    for (const auto& [from, to] : spans) {
        starts.push_back(row);
        for (std::size_t i = from; i < to; ++i, ++row) {
            t.SetCell(0, row, std::to_string(row));
            t.SetCell(1, row, FormatGeneral15(DmsToDecimal(f.Vertices[i].Lat), decimalSeparator));
            t.SetCell(2, row, FormatGeneral15(DmsToDecimal(f.Vertices[i].Long), decimalSeparator));
        }
    }
    t.VertexCount = static_cast<int32_t>(count);
    t.IsPolygon = polygon ? 1 : 0;
    t.PartStartRows = starts.size() > 1 ? std::move(starts) : std::vector<int32_t>{};
}

} // namespace sw

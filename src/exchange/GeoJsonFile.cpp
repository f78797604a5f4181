#include "exchange/GeoJsonFile.h"

#include "exchange/FileError.h"
#include "exchange/NumberText.h"
#include "exchange/SafeFile.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <cstdio>
#include <vector>

namespace sw {

namespace {

// More vertices than any feature a person enters; keeps the row arithmetic in range.
constexpr std::size_t MaxGeoJsonPositions = 10'000'000;

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

std::string GeoJsonText(const Settings& s, const SheetGrid& g, bool inOnly) {
    std::string out = "{\"type\":\"FeatureCollection\",\"features\":[";
    bool first = true;
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
        }
    }
    out += "\n]}\n";
    return out;
}

void WriteGeoJsonFile(const std::string& path, const Settings& s, const SheetGrid& g, bool inOnly) {
    ReplaceFileContents(path, GeoJsonText(s, g, inOnly), WriteFailureText::Runtime);
}

namespace {

using nlohmann::json;

[[noreturn]] void Fail(const std::string& path, const std::string& what) {
    throw FileError("The GeoJSON file \"" + path + "\" cannot be read: " + what);
}

const json* FirstGeometry(const json& doc, const std::string& path) {
    if (!doc.is_object() || !doc.contains("type") || !doc["type"].is_string()) {
        Fail(path, "it is not a GeoJSON object");
    }
    const std::string type = doc["type"].get<std::string>();
    if (type == "FeatureCollection") {
        if (!doc.contains("features") || !doc["features"].is_array() || doc["features"].empty()) {
            Fail(path, "the feature collection holds no feature");
        }
        return FirstGeometry(doc["features"][0], path);
    }
    if (type == "Feature") {
        if (!doc.contains("geometry") || !doc["geometry"].is_object()) {
            Fail(path, "its first feature has no geometry");
        }
        return &doc["geometry"];
    }
    return &doc;
}

std::vector<std::pair<double, double>> Positions(const json& list, const std::string& path) {
    if (!list.is_array()) {
        Fail(path, "the coordinates are not a list of positions");
    }
    std::vector<std::pair<double, double>> out;
    out.reserve(list.size());
    for (const json& p : list) {
        if (!p.is_array() || p.size() < 2 || !p[0].is_number() || !p[1].is_number()) {
            Fail(path, "a position is not a pair of numbers");
        }
        const double lon = p[0].get<double>();
        const double lat = p[1].get<double>();
        if (!std::isfinite(lon) || !std::isfinite(lat)) {
            Fail(path, "a position is not a pair of finite numbers");
        }
        out.emplace_back(lon, lat);
    }
    return out;
}

} // namespace

void ReadGeoJsonText(std::string_view text, const std::string& path, VertexTable& t,
                     char decimalSeparator) {
    const json doc = json::parse(text.begin(), text.end(), nullptr, false);
    if (doc.is_discarded()) {
        Fail(path, "it is not valid JSON");
    }
    const json& geometry = *FirstGeometry(doc, path);
    const std::string type = geometry.value("type", std::string());
    if (!geometry.contains("coordinates")) {
        Fail(path, "the first geometry has no coordinates");
    }
    std::vector<std::pair<double, double>> positions;
    bool polygon = false;
    if (type == "LineString") {
        positions = Positions(geometry["coordinates"], path);
    } else if (type == "Polygon") {
        const json& rings = geometry["coordinates"];
        if (!rings.is_array() || rings.empty()) {
            Fail(path, "the polygon has no ring");
        }
        positions = Positions(rings[0], path);
        if (positions.size() >= 2 && positions.front() == positions.back()) {
            positions.pop_back();
        }
        polygon = true;
    } else {
        Fail(path, "the first geometry is a " + (type.empty() ? std::string("?") : type) +
                       "; only a LineString or a Polygon can be read");
    }
    if (positions.empty()) {
        Fail(path, "the first geometry has no position");
    }
    if (positions.size() > MaxGeoJsonPositions) {
        Fail(path, "the first geometry has more than " + std::to_string(MaxGeoJsonPositions) +
                       " positions");
    }
    // Decimal mode: vertex k in row k, latitude in column 1, longitude in column 2.
    SetGrid(t, true);
    if (t.RowCount() < static_cast<int32_t>(positions.size()) + 1) {
        t.SetRowCount(static_cast<int32_t>(positions.size()) + 1);
    }
    for (std::size_t i = 0; i < positions.size(); ++i) {
        const auto row = static_cast<int32_t>(i + 1);
        t.SetCell(0, row, std::to_string(row));
        t.SetCell(1, row, FormatGeneral15(positions[i].second, decimalSeparator));
        t.SetCell(2, row, FormatGeneral15(positions[i].first, decimalSeparator));
    }
    t.VertexCount = static_cast<int32_t>(positions.size());
    t.IsPolygon = polygon ? 1 : 0;
}

void ReadGeoJsonFile(const std::string& path, VertexTable& t, char decimalSeparator) {
    ReadGeoJsonText(ReadWholeFile(path, ReadFailureText::CannotOpen), path, t, decimalSeparator);
}

} // namespace sw

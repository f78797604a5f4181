#include "exchange/FileNames.h"
#include "exchange/KmlFile.h"
#include "exchange/NumberText.h"
#include "exchange/SafeFile.h"
#include "exchange/SheetCorners.h"

#include <algorithm>
#include <filesystem>

namespace sw {

namespace {

constexpr const char* Eol = "\r\n";

void Line(std::string& out, std::string_view text) {
    out += text;
    out += Eol;
}

void StyleBody(std::string& out, std::string_view scale) {
    Line(out, "<IconStyle>");
    Line(out, scale);
    Line(out, "<Icon>");
    Line(out, "<href>http://maps.google.com/mapfiles/kml/pushpin/ylw-pushpin.png</href>");
    Line(out, "</Icon>");
    Line(out, "<hotSpot x=\"20\" y=\"2\" xunits=\"pixels\" yunits=\"pixels\"/>");
    Line(out, "</IconStyle>");
    Line(out, "<LineStyle>");
    Line(out, "<color>ff00ffaa</color>");
    Line(out, "</LineStyle>");
    Line(out, "<PolyStyle>");
    Line(out, "<color>00ffffff</color>");
    Line(out, "<fill>0</fill>");
    Line(out, "</PolyStyle>");
    Line(out, "</Style>");
}

void Header(std::string& out) {
    Line(out, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>");
    Line(out, "<kml xmlns=\"http://www.opengis.net/kml/2.2\" "
              "xmlns:gx=\"http://www.google.com/kml/ext/2.2\" "
              "xmlns:kml=\"http://www.opengis.net/kml/2.2\" "
              "xmlns:atom=\"http://www.w3.org/2005/Atom\">");
    Line(out, "<Document>");
    Line(out, "<name>test.kml</name>");
    Line(out, "<Style id=\"sn_ylw-pushpin\">");
    StyleBody(out, "<scale>1.1</scale>");
    Line(out, "<Style id=\"sh_ylw-pushpin\">");
    StyleBody(out, "<scale>1.3</scale>");
    Line(out, "<StyleMap id=\"msn_ylw-pushpin\">");
    Line(out, "<Pair>");
    Line(out, "<key>normal</key>");
    Line(out, "\t<styleUrl>#sn_ylw-pushpin</styleUrl>");
    Line(out, "</Pair>");
    Line(out, "<Pair>");
    Line(out, "<key>highlight</key>");
    Line(out, "<styleUrl>#sh_ylw-pushpin</styleUrl>");
    Line(out, "</Pair>");
    Line(out, "</StyleMap>");
}

std::string Tuple(const DegreePoint& p) {
    return FormatGeneral15(p.Lon) + "," + FormatGeneral15(p.Lat) + ",0";
}

void SheetPlacemarks(std::string& out, const SheetCorners& corners, std::size_t k,
                     std::string_view sheetNo) {
    const PixelPoint o = corners.CellOrigin(k);
    const int32_t w = corners.CellWidth();
    const int32_t z = corners.CellHeight();
    // Halving truncates: along an odd pixel size the point lies half a pixel
    // west or north of the true centre, as on the drawn layout.
    const DegreePoint centre = corners.ToDegrees(o.X + w / 2, o.Y + z / 2);
    const std::string name = "<name>" + std::string(sheetNo) + "</name>";

    Line(out, "<Placemark>");
    Line(out, name);
    Line(out, "<styleUrl>#default</styleUrl>");
    Line(out, "<Point>");
    Line(out, "<coordinates>" + Tuple(centre) + "</coordinates>");
    Line(out, "</Point>");
    Line(out, "</Placemark>");

    Line(out, "<Placemark>");
    Line(out, name);
    Line(out, "<styleUrl>#msn_ylw-pushpin</styleUrl>");
    Line(out, "<Polygon>");
    Line(out, "<outerBoundaryIs>");
    Line(out, "<LinearRing>");
    Line(out, "<coordinates>");
    // North-west, north-east, south-east, south-west, north-west: clockwise.
    const int32_t ring[5][2] = {{0, 0}, {w, 0}, {w, z}, {0, z}, {0, 0}};
    for (const auto& d : ring) {
        Line(out, Tuple(corners.ToDegrees(o.X + d[0], o.Y + d[1])));
    }
    Line(out, "</coordinates>");
    Line(out, "</LinearRing>");
    Line(out, "</outerBoundaryIs>");
    Line(out, "</Polygon>");
    Line(out, "</Placemark>");
}

// The document in pieces: the header, two placemarks per IN sheet, the closing
// lines. Writing it piece by piece keeps a file of millions of sheets out of memory.
template <class Put>
void EmitKml(const Settings& s, const SheetGrid& g, const LayoutGeometry& plan, Put&& put) {
    std::string chunk;
    Header(chunk);
    put(chunk);
    const SheetCorners corners(s, g, plan);
    for (std::size_t k = 0; k < corners.Count(); ++k) {
        const SheetRec& rec = g.SheetList[k];
        if (rec.InFlag == 0) {
            continue;
        }
        chunk.clear();
        SheetPlacemarks(chunk, corners, k, rec.SheetNo.view());
        put(chunk);
    }
    chunk.clear();
    Line(chunk, "</Document>");
    Line(chunk, "</kml>");
    put(chunk);
}

} // namespace

std::string KmlDocument(const Settings& s, const SheetGrid& g) {
    std::string out;
    EmitKml(s, g, PlanLayout(s, g.GridCols, g.GridRows),
            [&out](std::string_view bytes) { out += bytes; });
    return out;
}

uint64_t KmlFileBytesEstimate(const Settings& s, const SheetGrid& g, const LayoutGeometry& plan) {
    // Every IN sheet takes about as many bytes as the first one: the lines are
    // fixed but for the sheet number and the digits of the coordinates.
    std::string piece;
    Header(piece);
    const uint64_t fixed = piece.size() + 24;
    const SheetCorners corners(s, g, plan);
    uint64_t in = 0;
    std::size_t first = corners.Count();
    for (std::size_t k = 0; k < corners.Count(); ++k) {
        if (g.SheetList[k].InFlag != 0) {
            first = std::min(first, k);
            ++in;
        }
    }
    if (in == 0) {
        return fixed;
    }
    piece.clear();
    SheetPlacemarks(piece, corners, first, g.SheetList[first].SheetNo.view());
    return fixed + in * piece.size();
}

std::string KmlFileName(const std::filesystem::path& path) {
    return IsStreamTarget(path.string()) ? path.string() : ReplaceExtension(path.string(), ".kml");
}

std::vector<std::string> KmlFileNames(const std::filesystem::path& path) {
    return {KmlFileName(path)};
}

void WriteKmlFile(const std::filesystem::path& path, const Settings& s, const SheetGrid& g) {
    WriteKmlFile(path, s, g, PlanLayout(s, g.GridCols, g.GridRows));
}

void WriteKmlFile(const std::filesystem::path& path, const Settings& s, const SheetGrid& g,
                  const LayoutGeometry& plan) {
    StagedFile file(KmlFileName(path), WriteFailureText::Runtime);
    EmitKml(s, g, plan, [&file](std::string_view bytes) { file.Write(bytes); });
    file.Commit();
}

} // namespace sw

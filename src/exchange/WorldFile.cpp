#include "exchange/WorldFile.h"

#include "coverage/LayoutGeometry.h"
#include "exchange/FileNames.h"
#include "exchange/SafeFile.h"
#include "exchange/ShapeFile.h"

#include <charconv>
#include <filesystem>
#include <system_error>

namespace sw {

namespace {

constexpr double SecondsPerDegree = 3600.0;

// Fixed notation with enough decimals for a pixel of a fraction of an arc
// second, trailing zeros dropped: GIS readers all take this form.
std::string Fixed(double value) {
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, 15);
    std::string out(buf, res.ec == std::errc() ? res.ptr : buf);
    if (out.find('.') != std::string::npos) {
        while (!out.empty() && out.back() == '0') {
            out.pop_back();
        }
        if (!out.empty() && out.back() == '.') {
            out.pop_back();
        }
    }
    return out == "-0" ? "0" : out;
}

} // namespace

WorldTransform LayoutWorldTransform(const Settings& s, const SheetGrid& g) {
    const LayoutGeometry geo = PlanLayout(s, g.GridCols, g.GridRows);
    WorldTransform t;
    if (geo.CellWidth <= 0 || geo.CellHeight <= 0) {
        return t;
    }
    t.PixelWidth = static_cast<double>(s.SheetWidthSec) / geo.CellWidth / SecondsPerDegree;
    t.PixelHeight = -static_cast<double>(s.SheetHeightSec) / geo.CellHeight / SecondsPerDegree;
    t.CentreX = g.GridWestSec / SecondsPerDegree + (0.5 - geo.GridOriginX) * t.PixelWidth;
    t.CentreY = g.GridNorthSec / SecondsPerDegree + (0.5 - geo.GridOriginY) * t.PixelHeight;
    return t;
}

std::string WorldFileText(const WorldTransform& t) {
    return Fixed(t.PixelWidth) + "\n0\n0\n" + Fixed(t.PixelHeight) + "\n" + Fixed(t.CentreX) +
           "\n" + Fixed(t.CentreY) + "\n";
}

std::string WorldFileName(const std::filesystem::path& picturePath) {
    const std::string ext = LowerExtension(picturePath.string());
    if (ext.size() < 3) { // no extension, or a lone dot
        return ReplaceExtension(picturePath.string(), ".wld");
    }
    std::string wext = ".";
    wext += ext[1];
    wext += ext.back();
    wext += 'w';
    return ReplaceExtension(picturePath.string(), wext);
}

std::string PamText() {
    // Longitude first, as the world file has it.
    return std::string("<PAMDataset>\n  <SRS dataAxisToSRSAxisMapping=\"2,1\">") + Wgs84WktXmlText +
           "</SRS>\n</PAMDataset>\n";
}

void AddWorldFiles(FileSet& set, const std::filesystem::path& picturePath, const Settings& s,
                   const SheetGrid& g) {
    set.Add(WorldFileName(picturePath), WriteFailureText::Runtime)
        .Write(WorldFileText(LayoutWorldTransform(s, g)));
    set.Add(ReplaceExtension(picturePath.string(), ".prj"), WriteFailureText::Runtime)
        .Write(Wgs84PrjText);
    set.Add(picturePath.string() + ".aux.xml", WriteFailureText::Runtime).Write(PamText());
}

void WriteWorldFiles(const std::filesystem::path& picturePath, const Settings& s,
                     const SheetGrid& g) {
    FileSet set;
    AddWorldFiles(set, picturePath, s, g);
    set.Commit();
}

} // namespace sw

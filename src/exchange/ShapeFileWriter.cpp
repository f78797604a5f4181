#include "exchange/ByteOrder.h"
#include "exchange/FileError.h"
#include "exchange/FileNames.h"
#include "exchange/SafeFile.h"
#include "exchange/ShapeFile.h"
#include "exchange/SheetCorners.h"
#include "index/CheckedMath.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>

namespace sw {

namespace {

constexpr int32_t RecordContentWords = 64; // 128 bytes: type, box, counts, one part, five points
constexpr int32_t RecordWords = RecordContentWords + 4;
constexpr int32_t HeaderWords = static_cast<int32_t>(ShpHeaderSize / 2);

std::string FileHeader(const SheetBox& box, int32_t lengthWords) {
    std::string h;
    h.reserve(ShpHeaderSize);
    PutBE32(h, ShpFileCode);
    for (int i = 0; i < 5; ++i) {
        PutBE32(h, 0);
    }
    PutBE32(h, static_cast<uint32_t>(lengthWords));
    PutLE32(h, ShpVersion);
    PutLE32(h, ShpPolygon);
    PutDoubleLE(h, box.West);
    PutDoubleLE(h, box.South);
    PutDoubleLE(h, box.East);
    PutDoubleLE(h, box.North);
    for (int i = 0; i < 4; ++i) {
        PutDoubleLE(h, 0.0); // no Z or M values
    }
    return h;
}

// The whole grid: the north-west cell's west and north, the south-east cell's
// south and east. An empty list gives the empty box.
SheetBox GridBox(const SheetCorners& corners) {
    if (corners.Count() == 0) {
        return {};
    }
    const SheetBox first = corners.Box(0);
    const SheetBox last = corners.Box(corners.Count() - 1);
    return SheetBox{first.West, last.South, last.East, first.North};
}

int32_t MainFileWords(std::size_t count) {
    return CheckedNarrow(HeaderWords +
                         static_cast<int64_t>(RecordWords) * static_cast<int64_t>(count));
}

PolygonShpInfo SheetPolygon(const SheetCorners& corners, std::size_t k) {
    const SheetBox b = corners.Box(k);
    PolygonShpInfo p;
    p.ShapeType = ShpPolygon;
    p.Box[0] = b.West;
    p.Box[1] = b.South;
    p.Box[2] = b.East;
    p.Box[3] = b.North;
    p.NumParts = 1;
    p.NumPoints = 5;
    p.Parts = {0};
    // Clockwise from the north-west corner, the first point repeated: an outer ring.
    p.Points = {{b.West, b.North},
                {b.East, b.North},
                {b.East, b.South},
                {b.West, b.South},
                {b.West, b.North}};
    return p;
}

void PutPolygon(std::string& out, const PolygonShpInfo& p) {
    PutLE32(out, static_cast<uint32_t>(p.ShapeType));
    for (double v : p.Box) {
        PutDoubleLE(out, v);
    }
    PutLE32(out, static_cast<uint32_t>(p.NumParts));
    PutLE32(out, static_cast<uint32_t>(p.NumPoints));
    for (int32_t part : p.Parts) {
        PutLE32(out, static_cast<uint32_t>(part));
    }
    for (const ShpPoint& pt : p.Points) {
        PutDoubleLE(out, pt.X);
        PutDoubleLE(out, pt.Y);
    }
}

std::string RightAligned(std::string_view text, std::size_t width) {
    if (text.size() >= width) {
        return std::string(text.substr(0, width));
    }
    return std::string(width - text.size(), ' ') + std::string(text);
}

void PutField(std::string& out, std::string_view name, uint8_t length) {
    std::string d(32, '\0');
    d.replace(0, name.size(), name);
    d[11] = 'C';
    d[16] = static_cast<char>(length);
    out += d;
}

bool IsAccessDenied(int err) {
    return err == EACCES || err == EPERM || err == EROFS;
}

} // namespace

uint32_t SwapBytes32(uint32_t value) {
    return ((value & 0x000000FFu) << 24) | ((value & 0x0000FF00u) << 8) |
           ((value & 0x00FF0000u) >> 8) | ((value & 0xFF000000u) >> 24);
}

namespace {

// The writers below hand their bytes to `put` a record at a time, so a file is
// streamed to disk in blocks whatever the grid's size.
template <class Put> void EmitShp(const SheetCorners& corners, Put&& put) {
    const std::size_t n = corners.Count();
    put(FileHeader(GridBox(corners), MainFileWords(n)));
    std::string record;
    for (std::size_t k = 0; k < n; ++k) {
        record.clear();
        PutBE32(record, static_cast<uint32_t>(k + 1));
        PutBE32(record, RecordContentWords);
        PutPolygon(record, SheetPolygon(corners, k));
        put(record);
    }
}

// The index follows from the fixed record size; no need to read the main file back.
template <class Put> void EmitShx(const SheetCorners& corners, Put&& put) {
    const std::size_t n = corners.Count();
    MainFileWords(n); // the offsets below must fit as well
    const int32_t words =
        CheckedNarrow(HeaderWords + 4 * static_cast<int64_t>(n)); // 8 bytes per entry
    put(FileHeader(GridBox(corners), words));
    std::string entry;
    for (std::size_t k = 0; k < n; ++k) {
        entry.clear();
        PutBE32(entry, static_cast<uint32_t>(HeaderWords + RecordWords * static_cast<int64_t>(k)));
        PutBE32(entry, RecordContentWords);
        put(entry);
    }
}

std::size_t DbfRecordCount(const SheetGrid& g) {
    return g.GridCols > 0 && g.GridRows > 0
               ? std::min(g.SheetList.size(), static_cast<std::size_t>(g.GridCols) *
                                                  static_cast<std::size_t>(g.GridRows))
               : 0;
}

template <class Put> void EmitDbf(const SheetGrid& g, Put&& put) {
    const std::size_t n = DbfRecordCount(g);
    std::string out;
    out += '\x03';                // dBASE III, no memo
    out += static_cast<char>(99); // last update 1999-09-13, fixed
    out += static_cast<char>(9);
    out += static_cast<char>(13);
    PutLE32(out, static_cast<uint32_t>(n));
    PutLE16(out, 97); // 32 + 2 field descriptors of 32 + terminator
    PutLE16(out, 19);
    out.append(17, '\0');
    out += '\x57'; // language driver
    out.append(2, '\0');
    PutField(out, "SHEETNO", 12);
    PutField(out, "INOUT", 4);
    out += '\x0D';
    put(out);
    for (std::size_t k = 0; k < n; ++k) {
        const SheetRec& rec = g.SheetList[k];
        out.clear();
        out += ' '; // not deleted
        out += RightAligned(rec.SheetNo.view(), 12);
        out += rec.InFlag != 0 ? "  IN" : " OUT";
        out.append(2, '\0'); // the record length counts two bytes past the fields
        put(out);
    }
    put(std::string_view("\x1A", 1));
}

struct AppendTo {
    std::string& out;
    void operator()(std::string_view bytes) const { out += bytes; }
};

struct WriteTo {
    StagedFile& file;
    void operator()(std::string_view bytes) const { file.Write(bytes); }
};

} // namespace

std::size_t MaxShapefileSheets() {
    return static_cast<std::size_t>((INT32_MAX - HeaderWords) / RecordWords);
}

uint64_t ShapefileBytes(std::size_t sheets) {
    const uint64_t n = sheets;
    return (ShpHeaderSize + 136 * n) + (ShpHeaderSize + 8 * n) + (98 + 19 * n) +
           std::char_traits<char>::length(Wgs84PrjText);
}

uint64_t ShapefileBytesEstimate(const Settings& /*s*/, const SheetGrid& g,
                                const LayoutGeometry& /*plan*/) {
    return ShapefileBytes(DbfRecordCount(g));
}

std::vector<std::string> ShapefileNames(const std::filesystem::path& path) {
    std::vector<std::string> names;
    for (const char* ext : {".shp", ".shx", ".dbf", ".prj"}) {
        names.push_back(ReplaceExtension(path.string(), ext));
    }
    return names;
}

std::string ShpFileBytes(const Settings& s, const SheetGrid& g) {
    const SheetCorners corners(s, g);
    std::string out;
    out.reserve(ShpHeaderSize + 136 * corners.Count());
    EmitShp(corners, AppendTo{out});
    return out;
}

std::string ShxFileBytes(const Settings& s, const SheetGrid& g) {
    const SheetCorners corners(s, g);
    std::string out;
    EmitShx(corners, AppendTo{out});
    return out;
}

std::string DbfFileBytes(const SheetGrid& g) {
    std::string out;
    out.reserve(97 + 19 * DbfRecordCount(g) + 1);
    EmitDbf(g, AppendTo{out});
    return out;
}

void WriteShpFile(const std::filesystem::path& path, const Settings& s, const SheetGrid& g) {
    const std::string bytes = ShpFileBytes(s, g);
    ReplaceFileContents(ReplaceExtension(path.string(), ".shp"), bytes, WriteFailureText::Runtime);
}

void WriteShxFile(const std::filesystem::path& path, const Settings& s, const SheetGrid& g) {
    // An index beside a main file nobody may change would describe a file the
    // user cannot keep in step with it.
    const std::string shp = ReplaceExtension(path.string(), ".shp");
    errno = 0;
    if (std::FILE* f = std::fopen(shp.c_str(), "r+b")) {
        std::fclose(f);
    } else if (IsAccessDenied(errno)) {
        throw FileError(ShapefileReadOnlyMessage);
    }
    const std::string bytes = ShxFileBytes(s, g);
    ReplaceFileContents(ReplaceExtension(path.string(), ".shx"), bytes, WriteFailureText::Runtime);
}

void WriteDbfFile(const std::filesystem::path& path, const SheetGrid& g) {
    ReplaceFileContents(ReplaceExtension(path.string(), ".dbf"), DbfFileBytes(g),
                        WriteFailureText::Runtime);
}

void WritePrjFile(const std::filesystem::path& path) {
    ReplaceFileContents(ReplaceExtension(path.string(), ".prj"), Wgs84PrjText,
                        WriteFailureText::Runtime);
}

std::string TooManySheetsForShapefileText(std::size_t sheets) {
    return "Cannot write a shapefile of " + std::to_string(sheets) +
           " sheets: its main file would pass the format's size limit (32-bit lengths of "
           "16-bit words), which holds at most " +
           std::to_string(MaxShapefileSheets()) + " sheets";
}

void WriteShapeFiles(const std::filesystem::path& path, const Settings& s, const SheetGrid& g) {
    WriteShapeFiles(path, s, g, PlanLayout(s, g.GridCols, g.GridRows));
}

void WriteShapeFiles(const std::filesystem::path& path, const Settings& s, const SheetGrid& g,
                     const LayoutGeometry& plan) {
    // Four files cannot go into one pipe or device; and putting extensions on its
    // name would create files beside the device (/dev/null.shp).
    if (IsStreamTarget(path)) {
        throw FileError("Cannot write a shapefile to \"" + path.string() +
                        "\": it is a pipe or device, and a shapefile is four files");
    }
    // Refused before anything is written: the overflow would otherwise surface
    // only after gigabytes had gone to disk.
    const std::size_t cells =
        g.GridCols > 0 && g.GridRows > 0
            ? static_cast<std::size_t>(g.GridCols) * static_cast<std::size_t>(g.GridRows)
            : 0;
    if (cells > MaxShapefileSheets()) {
        throw FileError(TooManySheetsForShapefileText(cells));
    }
    const SheetCorners corners(s, g, plan);
    // The four files are one set: a failure anywhere leaves every old file as it was.
    FileSet set;
    EmitShp(corners,
            WriteTo{set.Add(ReplaceExtension(path.string(), ".shp"), WriteFailureText::Runtime)});
    EmitShx(corners,
            WriteTo{set.Add(ReplaceExtension(path.string(), ".shx"), WriteFailureText::Runtime)});
    EmitDbf(g,
            WriteTo{set.Add(ReplaceExtension(path.string(), ".dbf"), WriteFailureText::Runtime)});
    set.Add(ReplaceExtension(path.string(), ".prj"), WriteFailureText::Runtime).Write(Wgs84PrjText);
    set.Commit();
}

} // namespace sw

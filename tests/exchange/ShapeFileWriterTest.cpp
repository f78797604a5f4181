#include "exchange/ByteOrder.h"
#include "exchange/FileError.h"
#include "exchange/ShapeFile.h"

#include "ExchangeTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace sw {
namespace {

using test::FifteenMinuteSheets;
using test::MakeGrid;

std::string Hex(std::string_view bytes) {
    static const char* digits = "0123456789ABCDEF";
    std::string out;
    for (unsigned char b : bytes) {
        if (!out.empty()) {
            out += ' ';
        }
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}

std::vector<double> Doubles(std::string_view bytes, std::size_t at, int n) {
    std::vector<double> v;
    for (int i = 0; i < n; ++i) {
        v.push_back(GetDoubleLE(bytes, at + 8 * static_cast<std::size_t>(i)));
    }
    return v;
}

TEST(ShapeFileWriter, SwapBytes32ReversesTheBytes) {
    EXPECT_EQ(SwapBytes32(0x0000270Au), 0x0A270000u);
    EXPECT_EQ(SwapBytes32(0x12345678u), 0x78563412u);
    EXPECT_EQ(SwapBytes32(SwapBytes32(0xDEADBEEFu)), 0xDEADBEEFu);
}

TEST(ShapeFileWriter, OneCellGrid) {
    const Settings s = FifteenMinuteSheets();
    const SheetGrid g = MakeGrid(s, 77, 29, 1, 1);
    const std::string shp = ShpFileBytes(s, g);
    ASSERT_EQ(shp.size(), 236u);
    EXPECT_EQ(Hex(shp.substr(0, 36)), "00 00 27 0A 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 "
                                      "00 00 00 00 00 00 00 76 E8 03 00 00 05 00 00 00");
    EXPECT_EQ(Doubles(shp, 36, 8), (std::vector<double>{77.0, 28.75, 77.25, 29.0, 0, 0, 0, 0}));
    // Record header (number 1, 64 words), type 5, box, one part of five points.
    EXPECT_EQ(Hex(shp.substr(100, 12)), "00 00 00 01 00 00 00 40 05 00 00 00");
    EXPECT_EQ(Doubles(shp, 112, 4), (std::vector<double>{77.0, 28.75, 77.25, 29.0}));
    EXPECT_EQ(Hex(shp.substr(144, 12)), "01 00 00 00 05 00 00 00 00 00 00 00");
    EXPECT_EQ(Doubles(shp, 156, 10), (std::vector<double>{77.0, 29.0, 77.25, 29.0, 77.25, 28.75,
                                                          77.0, 28.75, 77.0, 29.0}));

    const std::string shx = ShxFileBytes(s, g);
    ASSERT_EQ(shx.size(), 108u);
    EXPECT_EQ(shx.substr(0, 24), shp.substr(0, 24));
    EXPECT_EQ(Hex(shx.substr(24, 4)), "00 00 00 36");
    EXPECT_EQ(shx.substr(28, 72), shp.substr(28, 72));
    EXPECT_EQ(Hex(shx.substr(100)), "00 00 00 32 00 00 00 40");
}

TEST(ShapeFileWriter, AttributeTableBytes) {
    const Settings s = FifteenMinuteSheets();
    SheetGrid g = MakeGrid(s, 77, 29, 1, 1);
    g.SheetList[0].SheetNo = "53H/12";
    const std::string dbf = DbfFileBytes(g);
    ASSERT_EQ(dbf.size(), 117u);
    EXPECT_EQ(Hex(dbf.substr(0, 32)), "03 63 09 0D 01 00 00 00 61 00 13 00 00 00 00 00 00 00 00 00 "
                                      "00 00 00 00 00 00 00 00 00 57 00 00");
    EXPECT_EQ(dbf.substr(32, 32),
              std::string("SHEETNO\0\0\0\0C\0\0\0\0\x0C", 17) + std::string(15, '\0'));
    EXPECT_EQ(dbf.substr(64, 32),
              std::string("INOUT\0\0\0\0\0\0C\0\0\0\0\x04", 17) + std::string(15, '\0'));
    EXPECT_EQ(dbf.substr(96), std::string("\x0D       53H/12  IN\0\0\x1A", 21));
}

TEST(ShapeFileWriter, AttributeFieldsAlignAndCut) {
    const Settings s = FifteenMinuteSheets();
    SheetGrid g = MakeGrid(s, 77, 29, 3, 1, [](int32_t k) { return k == 2; });
    g.SheetList[0].SheetNo = "#";
    g.SheetList[1].SheetNo = "ABCDEFGHIJKLMNOP";
    g.SheetList[2].SheetNo = "";
    const std::string dbf = DbfFileBytes(g);
    ASSERT_EQ(dbf.size(), 97u + 3 * 19 + 1);
    EXPECT_EQ(dbf.substr(97, 19), std::string("            # OUT\0\0", 19));
    EXPECT_EQ(dbf.substr(116, 19), std::string(" ABCDEFGHIJKL OUT\0\0", 19));
    EXPECT_EQ(dbf.substr(135, 19), std::string("               IN\0\0", 19));
    EXPECT_EQ(dbf.back(), '\x1A');
}

TEST(ShapeFileWriter, ThreeByTwoGrid) {
    const Settings s = FifteenMinuteSheets();
    const SheetGrid g = MakeGrid(s, 77, 29, 3, 2);
    const std::string shp = ShpFileBytes(s, g);
    ASSERT_EQ(shp.size(), 100u + 6 * 136);
    EXPECT_EQ(GetBE32(shp, 24), 50u + 68 * 6);
    EXPECT_EQ(Doubles(shp, 36, 4), (std::vector<double>{77.0, 28.5, 77.75, 29.0}));
    const auto recordBox = [&](int k) { return Doubles(shp, 100 + 136 * k + 12, 4); };
    EXPECT_EQ(recordBox(0), (std::vector<double>{77.0, 28.75, 77.25, 29.0}));
    EXPECT_EQ(recordBox(2), (std::vector<double>{77.5, 28.75, 77.75, 29.0}));
    EXPECT_EQ(recordBox(3), (std::vector<double>{77.0, 28.5, 77.25, 28.75}));
    EXPECT_EQ(recordBox(5), (std::vector<double>{77.5, 28.5, 77.75, 28.75}));
    for (uint32_t k = 0; k < 6; ++k) {
        EXPECT_EQ(GetBE32(shp, 100 + 136 * k), k + 1);
    }
    const std::string shx = ShxFileBytes(s, g);
    ASSERT_EQ(shx.size(), 100u + 6 * 8);
    EXPECT_EQ(GetBE32(shx, 24), 50u + 4 * 6);
    const uint32_t offsets[] = {50, 118, 186, 254, 322, 390};
    for (std::size_t k = 0; k < 6; ++k) {
        EXPECT_EQ(GetBE32(shx, 100 + 8 * k), offsets[k]);
        EXPECT_EQ(GetBE32(shx, 104 + 8 * k), 64u);
        // Each offset points at its record in the main file.
        EXPECT_EQ(GetBE32(shp, 2 * offsets[k]), k + 1);
    }
}

TEST(ShapeFileWriter, OpenSeriesMillionSheetsAndLayoutIndependence) {
    Settings s = FifteenMinuteSheets(65);
    s.SheetWidthSec = 6 * 3600;
    s.SheetHeightSec = 4 * 3600;
    SheetGrid g = MakeGrid(s, 66, 32, 2, 1);
    const std::string shp = ShpFileBytes(s, g);
    EXPECT_EQ(Doubles(shp, 36, 4), (std::vector<double>{66.0, 28.0, 78.0, 32.0}));
    EXPECT_EQ(Doubles(shp, 236 + 12, 4), (std::vector<double>{72.0, 28.0, 78.0, 32.0}));
    for (auto& rec : g.SheetList) {
        rec.X = -50;
        rec.Y = 100000;
    }
    EXPECT_EQ(ShpFileBytes(s, g), shp);
}

TEST(ShapeFileWriter, FileNamesAndTheProjectionFile) {
    test::ScratchDir dir;
    const Settings s = FifteenMinuteSheets();
    const SheetGrid g = MakeGrid(s, 77, 29, 3, 2);
    WriteShapeFiles(dir.File("grid"), s, g);
    WriteShapeFiles(dir.File("other.kml"), s, g);
    for (const char* base : {"grid", "other"}) {
        const std::string b = dir.File(base);
        EXPECT_EQ(test::ReadBytes(b + ".shp"), ShpFileBytes(s, g));
        EXPECT_EQ(test::ReadBytes(b + ".shx"), ShxFileBytes(s, g));
        EXPECT_EQ(test::ReadBytes(b + ".dbf"), DbfFileBytes(g));
        const std::string prj = test::ReadBytes(b + ".prj");
        EXPECT_EQ(prj.rfind("GEOGCS[\"GCS_WGS_1984\"", 0), 0u);
        EXPECT_EQ(prj.find('\n'), std::string::npos);
    }
    EXPECT_EQ(dir.EntryCount(), 8u);
}

TEST(ShapeFileWriter, AFailureChangesNoneOfTheFiles) {
    test::ScratchDir dir;
    const Settings s = FifteenMinuteSheets();
    const std::string base = dir.File("grid");
    test::WriteBytes(base + ".shp", "old shp");
    test::WriteBytes(base + ".dbf", "old dbf");
    std::filesystem::create_directory(base + ".shx"); // cannot be replaced
    EXPECT_THROW(WriteShapeFiles(base, s, MakeGrid(s, 77, 29, 1, 1)), FileError);
    EXPECT_EQ(test::ReadBytes(base + ".shp"), "old shp");
    EXPECT_EQ(test::ReadBytes(base + ".dbf"), "old dbf");
    EXPECT_FALSE(std::filesystem::exists(base + ".prj"));
    EXPECT_EQ(dir.EntryCount(), 3u) << "temporaries removed";

    // Each single writer keeps the old file as well.
    EXPECT_THROW(WriteShxFile(base, s, MakeGrid(s, 77, 29, 1, 1)), FileError);
    EXPECT_THROW(WriteShpFile(dir.File("no/such/folder/grid"), s, MakeGrid(s, 77, 29, 1, 1)),
                 FileError);
    EXPECT_EQ(dir.EntryCount(), 3u);
}

TEST(ShapeFileWriter, EmptyGridGivesValidEmptyFiles) {
    const Settings s = FifteenMinuteSheets();
    SheetGrid empty;
    EXPECT_EQ(ShpFileBytes(s, empty).size(), 100u);
    EXPECT_EQ(GetBE32(ShpFileBytes(s, empty), 24), 50u);
    EXPECT_EQ(DbfFileBytes(empty).size(), 98u);
}

} // namespace
} // namespace sw

#include "exchange/FileError.h"
#include "exchange/ShapeFile.h"

#include "ExchangeTestSupport.h"
#include "exchange/LinkedModules.h"

#include <gtest/gtest.h>

#include <vector>

namespace sw {
namespace {

using Rows = std::vector<std::vector<std::string>>;

Rows ReadRows(const VertexTable& t, int32_t first, int32_t last) {
    Rows rows;
    for (int32_t r = first; r <= last; ++r) {
        rows.push_back({t.Cell(0, r), t.Cell(1, r), t.Cell(2, r)});
    }
    return rows;
}

// A decimal-mode table with text in rows the readers could touch.
VertexTable FilledTable() {
    VertexTable t;
    SetGrid(t, true);
    t.SetRowCount(9);
    for (int32_t r = 1; r < 9; ++r) {
        const std::string n = std::to_string(r);
        t.SetCell(0, r, std::string("r").append(n));
        t.SetCell(1, r, std::string("lat").append(n));
        t.SetCell(2, r, std::string("lon").append(n));
    }
    t.VertexCount = 42;
    t.IsPolygon = 7;
    return t;
}

void ExpectUnchanged(const VertexTable& t) {
    const VertexTable ref = FilledTable();
    EXPECT_EQ(t.RowCount(), ref.RowCount());
    EXPECT_EQ(t.VertexCount, 42);
    EXPECT_EQ(t.IsPolygon, 7);
    EXPECT_EQ(ReadRows(t, 0, 10), ReadRows(ref, 0, 10));
}

const Rows OneSheetRing = {{"1", "29", "77"},
                           {"2", "29", "77.25"},
                           {"3", "28.75", "77.25"},
                           {"4", "28.75", "77"},
                           {"5", "29", "77"}};

TEST(ShapeFileReader, OurOneCellExportReadsBack) {
    const Settings s = test::FifteenMinuteSheets();
    VertexTable t = FilledTable();
    ReadShpData(ShpFileBytes(s, test::MakeGrid(s, 77, 29, 1, 1)), "grid.shp", t, '.');
    EXPECT_EQ(ReadRows(t, 1, 5), OneSheetRing);
    EXPECT_EQ(t.VertexCount, 5);
    EXPECT_EQ(t.IsPolygon, 1);
    EXPECT_EQ(t.RowCount(), 6);
    EXPECT_EQ(t.Cell(1, 6), "lat6") << "rows beyond the points keep their text";
}

TEST(ShapeFileReader, DecimalSeparatorOfTheLocale) {
    VertexTable t = FilledTable();
    ReadShpFile(test::DataFile("shp/one-sheet.shp"), t, ',');
    EXPECT_EQ(t.Cell(1, 3), "28,75");
    EXPECT_EQ(t.Cell(2, 3), "77,25");
    EXPECT_EQ(t.Cell(2, 1), "77");
}

TEST(ShapeFileReader, PolylineAndPartsAndOtherTypes) {
    VertexTable line = FilledTable();
    ReadShpFile(test::DataFile("shp/polyline.shp"), line, '.');
    EXPECT_EQ(line.IsPolygon, 0);
    EXPECT_EQ(line.VertexCount, 3);
    EXPECT_EQ(ReadRows(line, 1, 3),
              (Rows{{"1", "28.25", "77.5"}, {"2", "28.5", "77.75"}, {"3", "28", "78"}}));
    EXPECT_EQ(line.RowCount(), 4);

    VertexTable parts = FilledTable();
    ReadShpFile(test::DataFile("shp/two-parts.shp"), parts, '.');
    EXPECT_EQ(parts.VertexCount, 9);
    EXPECT_EQ(parts.RowCount(), 10);
    EXPECT_EQ(ReadRows(parts, 4, 5), (Rows{{"4", "20", "70"}, {"5", "22", "72"}}));

    // A point file: IsPolygon cleared, nothing read.
    VertexTable point = FilledTable();
    ReadShpFile(test::DataFile("shp/point-type.shp"), point, '.');
    EXPECT_EQ(point.IsPolygon, 0);
    EXPECT_EQ(point.VertexCount, 42);
    EXPECT_EQ(ReadRows(point, 1, 8), ReadRows(FilledTable(), 1, 8));

    // Not a shape type at all: nothing changes.
    VertexTable seven = FilledTable();
    ReadShpFile(test::DataFile("shp/type-seven.shp"), seven, '.');
    ExpectUnchanged(seven);
}

TEST(ShapeFileReader, DamagedFilesAreReportedAndChangeNothing) {
    for (const char* name :
         {"truncated-header.shp", "truncated-record-header.shp", "truncated-fixed-part.shp",
          "truncated-points.shp", "negative-numparts.shp", "negative-numpoints.shp",
          "huge-numpoints.shp", "huge-numparts.shp", "length-past-eof.shp", "negative-length.shp",
          "points-past-record.shp"}) {
        const std::string path = test::DataFile(std::string("shp/") + name);
        VertexTable t = FilledTable();
        try {
            ReadShpFile(path, t, '.');
            ADD_FAILURE() << name << " was read";
        } catch (const FileError& e) {
            EXPECT_EQ(std::string(e.what()),
                      "The shapefile \"" + path + "\" is damaged or incomplete");
        }
        ExpectUnchanged(t);
    }
}

TEST(ShapeFileReader, NullFirstShapeReadsNothing) {
    std::string bytes = test::ReadBytes(test::DataFile("shp/one-sheet.shp"));
    bytes = bytes.substr(0, 100) + std::string("\0\0\0\1\0\0\0\2\0\0\0\0", 12);
    VertexTable t = FilledTable();
    ReadShpData(bytes, "null.shp", t, '.');
    EXPECT_EQ(t.IsPolygon, 1);
    EXPECT_EQ(t.VertexCount, 42);
    EXPECT_EQ(ReadRows(t, 1, 8), ReadRows(FilledTable(), 1, 8));
}

TEST(ShapeFileReader, MissingFile) {
    VertexTable t = FilledTable();
    const std::string path = test::DataFile("shp/absent.shp");
    try {
        ReadShpFile(path, t, '.');
        FAIL() << "no error";
    } catch (const FileError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Cannot open file \"" + path + "\". No such file or directory");
    }
    ExpectUnchanged(t);
}

TEST(ShapeFileReader, ProjectionCheck) {
    test::ScratchDir dir;
    const std::string shp = dir.File("area.shp");
    EXPECT_EQ(CheckShapefileProjection(shp, LinkedModules()), ProjectionCheck::Missing);
    test::WriteBytes(dir.File("area.prj"), Wgs84PrjText);
    EXPECT_EQ(CheckShapefileProjection(shp, LinkedModules()), ProjectionCheck::Geographic);
    test::WriteBytes(dir.File("area.prj"), "GEOGCS[\"x\"] // not PROJ\r\nPROJCS[\"second line\"]");
    EXPECT_EQ(CheckShapefileProjection(shp, LinkedModules()), ProjectionCheck::Geographic);
    test::WriteBytes(dir.File("area.prj"), "  something then PROJCS[\"UTM\",GEOGCS[...]]\n");
    EXPECT_EQ(CheckShapefileProjection(shp, LinkedModules()), ProjectionCheck::Projected);
    // WKT2 as the GIS module's parser reads it.
    test::WriteBytes(dir.File("area.prj"),
                     "GEOGCRS[\"WGS 84\",DATUM[\"World Geodetic System 1984\",ELLIPSOID[\"WGS 84\","
                     "6378137,298.257223563]],CS[ellipsoidal,2],AXIS[\"latitude\",north,"
                     "ANGLEUNIT[\"degree\",0.0174532925199433]],AXIS[\"longitude\",east,"
                     "ANGLEUNIT[\"degree\",0.0174532925199433]]]");
    EXPECT_EQ(CheckShapefileProjection(shp, LinkedModules()), ProjectionCheck::Geographic);
    // What no parser understands is refused, never taken as longitudes and latitudes.
    test::WriteBytes(dir.File("area.prj"), "projcs lower case is not the keyword");
    EXPECT_THROW(CheckShapefileProjection(shp, LinkedModules()), FileError);
    // Only the last component's extension is replaced.
    EXPECT_THROW(CheckShapefileProjection(dir.File("area"), LinkedModules()), FileError);
}

} // namespace
} // namespace sw

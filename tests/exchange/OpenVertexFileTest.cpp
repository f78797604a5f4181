#include "exchange/OpenVertexFile.h"
#include "exchange/FileError.h"
#include "exchange/KmlFile.h"
#include "exchange/ShapeFile.h"

#include "ExchangeTestSupport.h"
#include "exchange/LinkedModules.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <future>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sw {
namespace {

TEST(OpenVertexFile, FilterFromTheExtension) {
    EXPECT_EQ(FilterIndexForPath("/a/route.txt"), OpenFilter{1});
    EXPECT_EQ(FilterIndexForPath("/a/area.SHP"), OpenFilter{2});
    EXPECT_EQ(FilterIndexForPath("/a.b/area.Kml"), OpenFilter{3});
    EXPECT_EQ(FilterIndexForPath("/a.kml/area"), OpenFilter{0});
    EXPECT_EQ(FilterIndexForPath("area.xls"), OpenFilter{0});
    EXPECT_FALSE(FilterUsesDecimalMode(OpenBoxPosition("text")));
    EXPECT_TRUE(FilterUsesDecimalMode(OpenBoxPosition("shapefile")));
    EXPECT_TRUE(FilterUsesDecimalMode(OpenBoxPosition("kml")));
}

// What a file holds decides how it is read; its extension comes next and the
// open box's filter last.
TEST(OpenVertexFile, ReadingFilterFromContentThenNameThenHint) {
    test::ScratchDir dir;
    const OpenFilter text = OpenBoxPosition("text");
    const OpenFilter shp = OpenBoxPosition("shapefile");
    const OpenFilter kml = OpenBoxPosition("kml");
    test::WriteBytes(dir.File("area.kml"), "\xef\xbb\xbf\r\n  <?xml version=\"1.0\"?><kml/>");
    test::WriteBytes(dir.File("area.txt"), "<kml><Placemark/></kml>");
    test::WriteBytes(dir.File("route.kml"), "1\t28\t36\t50\t77\t12\t30\n");
    test::WriteBytes(dir.File("route.dat"), "1\t28\t36\t50\t77\t12\t30\n");
    test::WriteBytes(dir.File("area.dat"), std::string("\x00\x00\x27\x0a", 4) + "rest");
    test::WriteBytes(dir.File("empty.dat"), "");
    EXPECT_EQ(ReadingFilter(dir.File("area.kml"), text), kml);
    EXPECT_EQ(ReadingFilter(dir.File("area.txt"), text), kml);
    EXPECT_EQ(ReadingFilter(dir.File("area.dat"), kml), shp);
    EXPECT_EQ(ReadingFilter(dir.File("route.kml"), text), kml); // its reader then says why
    EXPECT_EQ(ReadingFilter(dir.File("route.dat"), shp), shp);
    EXPECT_EQ(ReadingFilter(dir.File("empty.dat"), text), text);
    EXPECT_EQ(ReadingFilter(dir.File("missing.shp"), text), shp);
    EXPECT_EQ(ReadingFilter(dir.File("missing.dat"), kml), kml);
}

// Only a regular file is looked into: a FIFO with no writer gives the name's or
// the hint's filter at once instead of holding the open box until a writer comes.
TEST(OpenVertexFile, ReadingFilterOfAFifoWithoutAWriterIsTheHintAtOnce) {
    test::ScratchDir dir;
    const std::filesystem::path fifo = dir.File("pipe.dat");
    if (::mkfifo(fifo.c_str(), 0600) != 0) {
        GTEST_SKIP() << "no FIFO can be made here";
    }
    std::promise<OpenFilter> result;
    std::future<OpenFilter> answer = result.get_future();
    std::thread reader([&] { result.set_value(ReadingFilter(fifo, OpenBoxPosition("kml"))); });
    const bool answered = answer.wait_for(std::chrono::seconds(10)) == std::future_status::ready;
    if (!answered) {
        // A writer lets the waiting open return, so the test ends either way.
        const int fd = ::open(fifo.c_str(), O_WRONLY | O_CLOEXEC);
        if (fd >= 0) {
            ::close(fd);
        }
    }
    reader.join();
    ASSERT_TRUE(answered) << "ReadingFilter waited for a writer of the FIFO";
    EXPECT_EQ(answer.get(), OpenBoxPosition("kml"));
}

class OpenShapefile : public ::testing::Test {
protected:
    void SetUp() override {
        const Settings s = test::FifteenMinuteSheets();
        WriteShpFile(shp, s, test::MakeGrid(s, 77, 29, 1, 1));
        t.SetCell(1, 3, "kept");
        t.VertexCount = 9;
    }
    test::ScratchDir dir;
    std::string shp = dir.File("area.shp");
    VertexTable t;
};

TEST_F(OpenShapefile, GeographicProjectionReads) {
    test::WriteBytes(dir.File("area.prj"), Wgs84PrjText);
    EXPECT_EQ(OpenVertexFile(OpenBoxPosition("shapefile"), shp, t, '.', LinkedModules()),
              OpenOutcome::Read);
    EXPECT_EQ(t.ColCount(), 3);
    EXPECT_EQ(t.Cell(1, 1), "29");
    EXPECT_EQ(t.Cell(2, 2), "77.25");
    EXPECT_EQ(t.Cell(1, 3), "28.75");
    EXPECT_EQ(t.VertexCount, 5);
    EXPECT_EQ(t.IsPolygon, 1);
}

TEST_F(OpenShapefile, WithoutProjectionNothingIsRead) {
    EXPECT_EQ(OpenVertexFile(OpenBoxPosition("shapefile"), shp, t, '.', LinkedModules()),
              OpenOutcome::NotReadNoPrj);
    EXPECT_EQ(t.ColCount(), 3) << "the table is laid out for decimal degrees all the same";
    EXPECT_EQ(t.Cell(1, 1), "Deg. Decimal");
    EXPECT_EQ(t.Cell(1, 3), "kept");
    EXPECT_EQ(t.VertexCount, 9);
}

TEST_F(OpenShapefile, ProjectedSystemIsRefused) {
    test::WriteBytes(dir.File("area.prj"),
                     "PROJCS[\"WGS_1984_UTM_Zone_43N\",GEOGCS[\"GCS_WGS_1984\"]]");
    try {
        OpenVertexFile(OpenBoxPosition("shapefile"), shp, t, '.', LinkedModules());
        FAIL() << "no error";
    } catch (const FileError& e) {
        EXPECT_EQ(std::string(e.what()), "Erro! No geographic coordinates");
    }
    EXPECT_EQ(t.Cell(1, 3), "kept");
    EXPECT_EQ(t.VertexCount, 9);
    EXPECT_EQ(t.IsPolygon, 0);
}

TEST(OpenVertexFile, DispatchIsByFilterNotByExtension) {
    test::ScratchDir dir;
    // A tab-delimited vertex file named .kml is read as text under filter 1.
    const std::string file = dir.File("route.kml");
    test::WriteBytes(file, "1\t28\t30\t0\t77\t15\t0\r\n2\t28\t45\t0\t77\t30\t0\r\n");
    VertexTable text;
    EXPECT_EQ(OpenVertexFile(OpenBoxPosition("text"), file, text, '.', LinkedModules()),
              OpenOutcome::Read);
    EXPECT_EQ(text.ColCount(), 7);
    EXPECT_EQ(text.VertexCount, 2);
    EXPECT_EQ(text.Cell(1, 2), "28");
    EXPECT_EQ(text.Cell(5, 3), "30");

    // The same name under filter 3: no coordinate list in it.
    VertexTable kml;
    EXPECT_EQ(OpenVertexFile(OpenBoxPosition("kml"), file, kml, '.', LinkedModules()),
              OpenOutcome::Read);
    EXPECT_EQ(kml.VertexCount, -2);

    test::WriteBytes(dir.File("line.kml"), "<coordinates>77,29 78,29.5</coordinates>");
    VertexTable line;
    EXPECT_EQ(
        OpenVertexFile(OpenBoxPosition("kml"), dir.File("line.kml"), line, '.', LinkedModules()),
        OpenOutcome::Read);
    EXPECT_EQ(line.ColCount(), 3);
    EXPECT_EQ(line.Cell(1, 2), "29.5");
    EXPECT_EQ(line.VertexCount, 2);
}

TEST(OpenVertexFile, UnknownFilterChangesNothing) {
    VertexTable t;
    EXPECT_THROW(OpenVertexFile(OpenFilter{4}, "x.shp", t, '.', LinkedModules()), FileError);
    EXPECT_THROW(OpenVertexFile(OpenFilter{0}, "x.shp", t, '.', LinkedModules()), FileError);
    EXPECT_EQ(t.ColCount(), 7);
    EXPECT_EQ(t.Cell(1, 1), "");
}

// A file read without a refusal that gave nothing to compute is told apart, with
// the reason, so that "Open" can say why instead of keeping a table OK rejects.
TEST(OpenVertexFile, NothingReadSaysWhy) {
    test::ScratchDir dir;
    const InputFormat& shp = *OpenBoxFormat(OpenBoxPosition("shapefile"));
    const InputFormat& kml = *OpenBoxFormat(OpenBoxPosition("kml"));
    const InputFormat& text = *OpenBoxFormat(OpenBoxPosition("text"));
    VertexTable filled;
    filled.VertexCount = 42; // what the reader left of an earlier file

    const std::string point = test::DataFile("shp/point-type.shp");
    EXPECT_EQ(NothingReadReason(shp, point, filled),
              "The shapefile \"" + point + "\" holds points, not polylines or polygons");
    const std::string seven = test::DataFile("shp/type-seven.shp");
    EXPECT_EQ(NothingReadReason(shp, seven, filled),
              "\"" + seven + "\" is not a shapefile: its header names no shape type");
    const std::string noise = dir.File("noise.shp");
    test::WriteBytes(noise, std::string(400, '\x7f'));
    EXPECT_NE(NothingReadReason(shp, noise, filled).find("is not a shapefile"), std::string::npos);
    // A polyline file gives its points.
    EXPECT_EQ(NothingReadReason(shp, test::DataFile("shp/polyline.shp"), filled), "");

    // Without a coordinate list the KML reader leaves -1, with one tuple 0.
    const std::string empty = dir.File("empty.kml");
    test::WriteBytes(empty, "<kml><Document><name>none</name></Document></kml>\n");
    VertexTable t;
    EXPECT_NO_THROW(ReadKmlFile(empty, t));
    EXPECT_EQ(NothingReadReason(kml, empty, t), "\"" + empty + "\" holds no coordinates");
    EXPECT_EQ(NothingReadReason(text, "/a/empty.txt", VertexTable{}),
              "\"/a/empty.txt\" holds no coordinates");
    EXPECT_EQ(NothingReadReason(kml, empty, filled), "");
}

} // namespace
} // namespace sw

// The optional parts are asked for only when needed: the command line loads a
// module on that first need, so a read that needs none must never ask.

#include "exchange/Modules.h"
#include "ExchangeTestSupport.h"
#include "coverage/LayoutGeometry.h"
#include "exchange/FormatRegistry.h"
#include "exchange/GdalBackend.h"
#include "exchange/LinkedModules.h"
#include "exchange/Renderer.h"
#include "exchange/ReportFiles.h"
#include "exchange/ShapeFile.h"
#include "exchange/WriteOutput.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace sw {
namespace {

// The program's GIS backend, counting how often it was asked for.
struct CountedGis {
    std::shared_ptr<const GdalBackend> backend = std::make_shared<const GdalBackend>();
    std::shared_ptr<int> asked = std::make_shared<int>(0);
    Modules Install() const {
        Modules m;
        m.Gis.Load([backend = backend, asked = asked]() -> const GisBackend& {
            ++*asked;
            return *backend;
        });
        return m;
    }
};

TEST(Modules, APartIsAskedForOnlyWhenTheWorkNeedsIt) {
    test::ScratchDir dir;
    const std::string shp = dir.File("area.shp");
    const CountedGis gis;
    const Modules modules = gis.Install();
    // No ".prj", or a WKT1 text the keyword test settles: GDAL stays unloaded.
    EXPECT_EQ(CheckShapefileProjection(shp, modules), ProjectionCheck::Missing);
    test::WriteBytes(dir.File("area.prj"), "GEOGCS[\"WGS 84\"]");
    EXPECT_EQ(CheckShapefileProjection(shp, modules), ProjectionCheck::Geographic);
    EXPECT_EQ(*gis.asked, 0);
    // WKT2 needs OSR's parser.
    test::WriteBytes(dir.File("area.prj"),
                     "GEOGCRS[\"WGS 84\",DATUM[\"World Geodetic System 1984\",ELLIPSOID[\"WGS 84\","
                     "6378137,298.257223563]],CS[ellipsoidal,2],AXIS[\"latitude\",north,"
                     "ANGLEUNIT[\"degree\",0.0174532925199433]],AXIS[\"longitude\",east,"
                     "ANGLEUNIT[\"degree\",0.0174532925199433]]]");
    EXPECT_EQ(CheckShapefileProjection(shp, modules), ProjectionCheck::Geographic);
    EXPECT_EQ(*gis.asked, 1);
}

TEST(Modules, AnAbsentPartIsRefusedWithoutTouchingTheFile) {
    const Modules none;
    try {
        none.Gis.Get();
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(e.Kind(), ErrorKind::Usage);
        EXPECT_EQ(std::string(e.what()), "the GIS formats are not available in this program");
    }
    test::ScratchDir dir;
    const OutputFormat* xlsx = OutputFormatNamed("xlsx");
    ASSERT_NE(xlsx, nullptr);
    const auto* workbook = std::get_if<WritesReport>(&xlsx->Writer);
    ASSERT_NE(workbook, nullptr);
    EXPECT_THROW(workbook->Write(dir.File("r.xlsx"), TextTable{}, none), Error);
    EXPECT_FALSE(std::filesystem::exists(dir.File("r.xlsx")));
    // The other report files need no part at all.
    const OutputFormat* csv = OutputFormatNamed("report-csv");
    ASSERT_NE(csv, nullptr);
    std::get<WritesReport>(csv->Writer).Write(dir.File("r.csv"), TextTable{}, none);
    EXPECT_TRUE(std::filesystem::exists(dir.File("r.csv")));
}

// What the dispatch hands each part, recorded instead of written.
struct RecordingParts final : GisBackend, Renderer, WorkbookWriter {
    mutable std::vector<std::string> calls;
    GisLayer ReadLayer(const std::filesystem::path&, const GisLayerOptions&) const override {
        return {};
    }
    GisLayer ReadLayerBytes(std::string_view, const std::string&,
                            const GisLayerOptions&) const override {
        return {};
    }
    void WriteGrid(const std::filesystem::path& path, const OgrFormat& format,
                   const OgrGridRequest& request) const override {
        calls.push_back(std::string(format.Driver) + " " + path.filename().string() +
                        (request.feature != nullptr ? " with feature" : ""));
    }
    void StreamGrid(const OgrFormat&, const OgrGridRequest&,
                    const std::function<void(std::string_view)>&) const override {}
    ProjectionKind ClassifyProjection(std::string_view) const override {
        return ProjectionKind::Unknown;
    }
    void WriteLayoutPicture(PictureEncoding encoding, const RenderInput& in,
                            const std::filesystem::path& path) const override {
        calls.push_back("picture " + std::to_string(static_cast<int>(encoding)) + " " +
                        path.filename().string() + " zoom " + std::to_string(in.pictureZoom));
    }
    void WriteReportPdf(const RenderInput& in, const std::filesystem::path& path) const override {
        calls.push_back("report " + path.filename().string() + " of " + in.inputPath);
    }
    std::string ReportXlsxBytes(const TextTable&) const override {
        calls.push_back("workbook");
        return "PK";
    }
};

TEST(Modules, EveryWayOfWritingGoesThroughItsPart) {
    const auto parts = std::make_shared<const RecordingParts>();
    Modules modules;
    modules.Gis.Link(std::shared_ptr<const GisBackend>(parts, parts.get()));
    modules.Render.Link(std::shared_ptr<const Renderer>(parts, parts.get()));
    const Settings s;
    const Feature f;
    const SheetGrid g;
    const std::string input = "area.kml";
    const OutputRequest request{s, f, g, input, 35};
    WriteOutput(*OutputFormatNamed("gpkg"), request, "/nowhere/g.gpkg", modules);
    WriteOutput(*OutputFormatNamed("jpeg"), request, "/nowhere/p.jpg", modules);
    WriteOutput(*OutputFormatNamed("report-pdf"), request, "/nowhere/r.pdf", modules);
    EXPECT_EQ(parts->calls,
              (std::vector<std::string>{"GPKG g.gpkg with feature", "picture 1 p.jpg zoom 35",
                                        "report r.pdf of area.kml"}));
    // A report file needs the table, which a caller without a report cannot give.
    test::ScratchDir dir;
    EXPECT_THROW(WriteOutput(*OutputFormatNamed("worksheet"), request, dir.File("r.xls"), modules),
                 Error);
    EXPECT_FALSE(std::filesystem::exists(dir.File("r.xls")));
}

// Every entry of the table is written by the one dispatch: its own file in the
// core's writers, or one call of the part that makes it.
TEST(Modules, EveryOutputEntryIsReachedThroughWriteOutput) {
    const auto parts = std::make_shared<const RecordingParts>();
    Modules modules;
    modules.Gis.Link(std::shared_ptr<const GisBackend>(parts, parts.get()));
    modules.Render.Link(std::shared_ptr<const Renderer>(parts, parts.get()));
    modules.Workbook.Link(std::shared_ptr<const WorkbookWriter>(parts, parts.get()));
    const Settings s = test::FifteenMinuteSheets();
    const SheetGrid g = test::MakeGrid(s, 77, 29, 2, 2);
    const Feature f;
    const std::string input = "area.kml";
    const OutputRequest request{s, f, g, input, 0, [] { return TextTable{}; }};
    test::ScratchDir dir;
    for (const OutputFormat& format : OutputFormats()) {
        const std::filesystem::path path = dir.File(std::string(format.Id) + "-out");
        const std::size_t before = parts->calls.size();
        WriteOutput(format, request, path, modules);
        const bool called = parts->calls.size() == before + 1;
        const bool onDisk = std::filesystem::exists(OutputFiles(format, path).front());
        EXPECT_TRUE(called || onDisk) << format.Id;
        // The workbook is the core's file made from the part's bytes.
        EXPECT_EQ(called && onDisk, format.Id == "xlsx") << format.Id;
    }
}

// The request's one plan reaches the sheet writers: given the plan the caller
// made, the bytes are those of a writer that plans for itself, and a writer
// never plans again (a plan of cells twice as wide moves every east edge).
TEST(Modules, TheSheetWritersPlaceCellsWithTheRequestsPlan) {
    const Modules none;
    const Settings s = test::FifteenMinuteSheets();
    const SheetGrid g = test::MakeGrid(s, 77, 29, 3, 2, [](int32_t k) { return k % 2 == 1; });
    const Feature f;
    const std::string input;
    const LayoutGeometry plan = PlanLayout(s, g.GridCols, g.GridRows);
    LayoutGeometry wider = plan;
    wider.CellWidth *= 2;
    test::ScratchDir dir;
    // The GIS files too: the application plans once for its size question and
    // its writer.
    const Modules linked = LinkedModules();
    for (const std::string id : {"kml", "shapefile", "geojson"}) {
        const OutputFormat& format = *OutputFormatNamed(id);
        const auto bytesWith = [&](const LayoutGeometry* given, const std::string& name) {
            const std::filesystem::path path = dir.File(name);
            OutputRequest request{s, f, g, input};
            request.plan = given;
            WriteOutput(format, request, path, id == "geojson" ? linked : none);
            return test::ReadBytes(OutputFiles(format, path).front());
        };
        const std::string own = bytesWith(nullptr, id + "-own");
        EXPECT_EQ(bytesWith(&plan, id + "-given"), own) << id;
        EXPECT_NE(bytesWith(&wider, id + "-wider"), own) << id;
    }
}

} // namespace
} // namespace sw

// The optional parts are asked for only when needed: the command line loads a
// module on that first need, so a read that needs none must never ask.

#include "exchange/Modules.h"
#include "ExchangeTestSupport.h"
#include "exchange/FormatRegistry.h"
#include "exchange/GdalBackend.h"
#include "exchange/ReportFiles.h"
#include "exchange/ShapeFile.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

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
    ASSERT_NE(xlsx->WriteReport, nullptr);
    EXPECT_THROW(xlsx->WriteReport(dir.File("r.xlsx"), TextTable{}, none), Error);
    EXPECT_FALSE(std::filesystem::exists(dir.File("r.xlsx")));
    // The other report files need no part at all.
    const OutputFormat* csv = OutputFormatNamed("report-csv");
    ASSERT_NE(csv, nullptr);
    csv->WriteReport(dir.File("r.csv"), TextTable{}, none);
    EXPECT_TRUE(std::filesystem::exists(dir.File("r.csv")));
}

} // namespace
} // namespace sw

// Vertices read through GDAL keep their fractions of a second: a polygon of a few
// tenths of a second near a 1:2000 sheet corner stays in its one sheet, where
// whole seconds would put it on the corner and in four.

#include "coverage/Coverage.h"
#include "exchange/GisLayerReader.h"
#include "index/SheetNumber.h"

#include <gtest/gtest.h>

#include <cmath>

namespace sw::test {
namespace {

TEST(GisPrecision, VerticesKeepFractionsOfASecondThroughTheTests) {
    // 28°00'00.3"N-28°00'00.7"N, 77°00'00.3"E-77°00'00.7"E.
    const GisLayer layer =
        ReadGisLayerBytes(R"({"type":"Polygon","coordinates":[[[77.0000833333,28.0000833333],)"
                          R"([77.0001944444,28.0000833333],[77.0001944444,28.0001944444],)"
                          R"([77.0000833333,28.0001944444],[77.0000833333,28.0000833333]]]})",
                          "standard input", {});
    ASSERT_EQ(layer.Features.size(), 1U);
    Feature f = layer.Features[0].Shape;
    ASSERT_EQ(f.Vertices.size(), 5U);
    const VertexRec& v = f.Vertices[0];
    EXPECT_EQ(v.Lat, (DmsAngle{28, 0, 0}));
    EXPECT_NEAR(v.LatFraction, 0.3, 1e-6);
    EXPECT_NEAR(v.LongFraction, 0.3, 1e-6);
    EXPECT_NEAR(f.Vertices[2].LatFraction, -0.3, 1e-6); // 0.7" shown as 1"

    const Settings s = SettingsAt(Series::OpenSeries, 6);
    SheetGrid g;
    ComputeSheets(s, f, g);
    ASSERT_EQ(g.SheetCount, 1);
    EXPECT_EQ(g.InSheetCount, 1);
    EXPECT_EQ(g.SheetList[0].SheetNo, SheetNumber(s, DmsAngle{77, 0, 1}, DmsAngle{28, 0, 1}));

    // The same vertices rounded to whole seconds: on the corner, four sheets.
    for (VertexRec& w : f.Vertices) {
        w.LatFraction = 0.0F;
        w.LongFraction = 0.0F;
    }
    ComputeSheets(s, f, g);
    EXPECT_EQ(g.InSheetCount, 4);
}

} // namespace
} // namespace sw::test

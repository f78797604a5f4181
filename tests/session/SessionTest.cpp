// The rules of the program state that the main window follows, without a window.

#include "session/Session.h"

#include "coverage/Coverage.h"
#include "coverage/FeatureUnion.h"
#include "index/SheetExtent.h"
#include "index/SheetNumber.h"
#include "session/FindSheet.h"

#include "../coverage/NearLinesPolygon.h"

#include <gtest/gtest.h>

namespace sw {
namespace {

Feature PointAt(int32_t latDeg, int32_t lonDeg) {
    return MakePointFeature(DmsAngle{latDeg, 30, 0}, DmsAngle{lonDeg, 30, 0});
}

// Runs the request as the main window's worker does and hands the result back.
CommitResult Compute(Session& s, const ComputeRequest& r) {
    Settings settings = r.settings;
    Feature feature = r.feature;
    SheetGrid grid;
    ComputeSheets(DecisionSettings(settings), feature, grid, {});
    return s.Commit(settings, std::move(feature), std::move(grid));
}

std::vector<std::string> InList(const SheetGrid& g) {
    std::vector<std::string> out;
    for (const SheetRec& r : g.SheetList) {
        if (r.InFlag == 1) {
            out.push_back(r.SheetNo.str());
        }
    }
    return out;
}

// The command line's list: ComputeSheets at its default zoom.
std::vector<std::string> CliList(Series series, int32_t scale, Feature f) {
    SheetGrid g;
    ComputeSheets(SettingsAt(series, scale), f, g, {});
    return InList(g);
}

using test::NearLinesPolygon;

TEST(Session, StartsAsTheApplicationDoes) {
    const Session s;
    const Settings& st = s.State().settings;
    EXPECT_EQ(st.MapSeries, Series::OldSeries);
    EXPECT_EQ(st.ScaleIndex, 4);
    EXPECT_EQ(st.ScaleText, "1:50,000");
    EXPECT_EQ(st.DataType, DataKind::Point);
    EXPECT_EQ(st.SheetPixelHeight, 70);
    EXPECT_FALSE(s.FeatureLoaded());
    EXPECT_FALSE(s.SaveEnabled());
    EXPECT_FALSE(s.ReportEnabled());
    EXPECT_FALSE(s.RequestPending());
    EXPECT_FALSE(s.State().InputFileOpened);
}

TEST(Session, SeriesAndScaleApplyAtOnceWithoutAFeature) {
    Session s;
    EXPECT_FALSE(s.PickSeries(1).has_value());
    EXPECT_EQ(s.State().settings.MapSeries, Series::OpenSeries);
    EXPECT_EQ(s.State().settings.ScaleIndex, 3); // "1:50,000" stays selected
    EXPECT_FALSE(s.PickScale(0).has_value());
    EXPECT_EQ(s.State().settings.ScaleIndex, 1);
    EXPECT_EQ(s.State().settings.ScaleText, "1:1M");
    EXPECT_FALSE(s.PickSeries(0).has_value());
    EXPECT_EQ(s.State().settings.ScaleIndex, 1); // indexes 1 and 2 stay
    EXPECT_FALSE(s.RequestPending());
}

// With a feature a scale change is a computation; the scale is the new one only
// once its result is committed, and an abandoned one leaves the old.
TEST(Session, ScaleChangeWithAFeatureWaitsForItsResult) {
    Session s;
    Compute(s, s.AcceptFeature(PointAt(28, 77), false, false));
    ASSERT_TRUE(s.FeatureLoaded());
    const auto request = s.PickScale(4);
    ASSERT_TRUE(request.has_value());
    EXPECT_TRUE(s.RequestPending());
    EXPECT_EQ(request->settings.ScaleIndex, 5);
    EXPECT_EQ(s.State().settings.ScaleIndex, 4);
    s.Abandon();
    EXPECT_FALSE(s.RequestPending());
    EXPECT_EQ(s.State().settings.ScaleIndex, 4);

    const SheetGrid before = s.State().grid;
    Compute(s, *s.PickScale(4));
    EXPECT_EQ(s.State().settings.ScaleIndex, 5);
    EXPECT_EQ(s.State().settings.ScaleText, "1:25,000");
    EXPECT_NE(s.State().grid.SheetList.size(), 0u);
    EXPECT_NE(s.State().grid.GridWestSec, 0);
    EXPECT_FALSE(before.SheetList.empty());
}

// "Report" follows FeatureLoaded at once, for a point as for a vertex table: no
// window activation is needed.
TEST(Session, AcceptedFeatureEnablesSaveAndReport) {
    Session s;
    const ComputeRequest point = s.AcceptFeature(PointAt(28, 77), false, false);
    EXPECT_EQ(point.feature.FeatureLoaded, 1);
    EXPECT_FALSE(s.SaveEnabled()); // only with the result
    EXPECT_FALSE(s.ReportEnabled());
    EXPECT_FALSE(Compute(s, point).FitToScreen);
    EXPECT_TRUE(s.SaveEnabled());
    EXPECT_TRUE(s.ReportEnabled());

    Session v;
    EXPECT_TRUE(Compute(v, v.AcceptFeature(PointAt(28, 77), true, true)).FitToScreen);
    EXPECT_TRUE(v.SaveEnabled());
    EXPECT_TRUE(v.ReportEnabled());
}

// A scale change's result does not enable "Save Layout"; a data type chosen while
// a request ran is kept.
TEST(Session, CommitKeepsADataTypeChosenMeanwhile) {
    Session s;
    s.PickScale(2);
    const ComputeRequest r = s.AcceptFeature(PointAt(28, 77), false, false);
    s.SetDataType(DataKind::Polygon);
    Compute(s, r);
    EXPECT_EQ(s.State().settings.DataType, DataKind::Polygon);
    s.Clear(true);
    const auto scale = s.PickScale(3);
    EXPECT_FALSE(scale.has_value()); // cleared: no feature to recompute
}

// A layer's features: the data type follows their parts and the file becomes the
// report's input only with the result; an abandoned open changes neither. A
// later scale change recomputes the same union.
TEST(Session, OpenedLayerNamesItsFileAndSetsTheDataTypeWithTheResult) {
    Session s;
    s.InputOpened("/data/route.txt");
    const Feature line = MakeVertexFeature({VertexRec{DmsAngle{28, 2, 0}, DmsAngle{77, 2, 0}},
                                            VertexRec{DmsAngle{28, 8, 0}, DmsAngle{77, 8, 0}}},
                                           false);
    const Feature point = MakePartsFeature({VertexRec{DmsAngle{29, 10, 0}, DmsAngle{78, 10, 0}}},
                                           {{0, PartKind::Point}});
    s.OpenLayer(UnionFeature({&line, &point}), "/data/bad.gpkg");
    s.Abandon();
    EXPECT_EQ(s.State().InputFileName, "/data/route.txt");
    EXPECT_EQ(s.State().settings.DataType, DataKind::Point);

    const ComputeRequest r = s.OpenLayer(UnionFeature({&line, &point}), "/data/d.gpkg");
    EXPECT_EQ(r.feature.MemberStarts, (std::vector<int32_t>{0, 2}));
    const CommitResult done = Compute(s, r);
    EXPECT_TRUE(done.FitToScreen);
    EXPECT_EQ(done.InputFile, std::optional<std::string>("/data/d.gpkg"));
    EXPECT_EQ(s.State().InputFileName, "/data/d.gpkg");
    EXPECT_TRUE(s.State().InputFileOpened); // the vertex dialog's table is its own
    EXPECT_EQ(s.State().settings.DataType, DataKind::Polyline);
    EXPECT_TRUE(s.SaveEnabled());
    EXPECT_TRUE(s.ReportEnabled());
    EXPECT_EQ(s.State().grid.InSheetCount, 2);

    const auto rescale = s.PickScale(4);
    ASSERT_TRUE(rescale.has_value());
    EXPECT_EQ(rescale->feature.MemberStarts, r.feature.MemberStarts);
    EXPECT_FALSE(Compute(s, *rescale).InputFile.has_value());
    EXPECT_EQ(s.State().InputFileName, "/data/d.gpkg");
}

TEST(Session, ExampleSheetNumberIsOfTheCurrentSeriesAndScale) {
    Settings s = StartSettings();
    const std::string old = ExampleSheetNumber(s);
    EXPECT_NE(old, OutsideSheetNo);
    EXPECT_NE(old.find('/'), std::string::npos); // an old 1:50,000 number
    SelectSeries(s, Series::OpenSeries);
    for (int scale = 1; scale <= 6; ++scale) {
        SelectScale(s, scale);
        const std::string number = ExampleSheetNumber(s);
        EXPECT_NE(number, OutsideSheetNo);
        EXPECT_NE(number, old);
        // What the hint shows is a number "Find sheet" takes.
        EXPECT_NO_THROW(PlanFindSheet(s, number)) << number;
    }
}

TEST(Session, FindSheetSwitchesScaleAndDataTypeWithTheResult) {
    Session s;
    s.SetDataType(DataKind::Polygon);
    const ComputeRequest r = s.FindSheet("53H");
    EXPECT_EQ(s.State().settings.DataType, DataKind::Polygon);
    EXPECT_EQ(s.State().settings.ScaleIndex, 4);
    Compute(s, r);
    EXPECT_EQ(s.State().settings.DataType, DataKind::Point);
    EXPECT_EQ(s.State().settings.ScaleText, "1:2,50,000");
    EXPECT_TRUE(s.SaveEnabled());
    EXPECT_THROW(s.FindSheet("99Z/99"), UnknownSheetError);
    EXPECT_FALSE(s.RequestPending());
}

TEST(Session, ZoomStepsWithinTheirBoundsOnlyWithAFeature) {
    Session s;
    EXPECT_FALSE(s.ZoomIn());
    EXPECT_FALSE(s.ZoomOut());
    EXPECT_EQ(s.State().settings.SheetPixelHeight, 70);
    Compute(s, s.AcceptFeature(PointAt(28, 77), false, false));
    EXPECT_TRUE(s.ZoomIn());
    EXPECT_EQ(s.State().settings.SheetPixelHeight, 75);
    s.SetZoom(MaxSheetPixelHeight);
    EXPECT_FALSE(s.ZoomIn());
    EXPECT_EQ(s.State().settings.SheetPixelHeight, 140);
    s.SetZoom(MinSheetPixelHeight);
    EXPECT_FALSE(s.ZoomOut());
    EXPECT_EQ(s.State().settings.SheetPixelHeight, 5);
    s.ResetZoom();
    EXPECT_TRUE(s.ZoomOut());
    EXPECT_EQ(s.State().settings.SheetPixelHeight, 65);
    // No zoom while a request is out: its result is drawn at the zoom it asked for.
    s.PickScale(0);
    EXPECT_FALSE(s.ZoomIn());
    EXPECT_EQ(s.State().settings.SheetPixelHeight, 65);
}

// The wheel's zoom: any whole zoom within the buttons' bounds, the user's
// choice (kept for the next feature even when it went down after a fit).
TEST(Session, WheelZoomWithinTheBoundsIsTheUsersChoice) {
    Session s;
    EXPECT_FALSE(s.ZoomTo(87));
    Compute(s, s.AcceptFeature(PointAt(28, 77), true, false));
    s.ImageMade(40); // fitted
    EXPECT_TRUE(s.ZoomTo(32));
    EXPECT_FALSE(s.ZoomLowered());
    EXPECT_FALSE(s.ZoomTo(32));
    EXPECT_TRUE(s.ZoomTo(87));
    EXPECT_TRUE(s.ZoomIn());
    EXPECT_EQ(s.State().settings.SheetPixelHeight, 92);
    EXPECT_TRUE(s.ZoomTo(1000));
    EXPECT_EQ(s.State().settings.SheetPixelHeight, MaxSheetPixelHeight);
    EXPECT_TRUE(s.ZoomTo(1));
    EXPECT_EQ(s.State().settings.SheetPixelHeight, MinSheetPixelHeight);
    // The buttons keep the zoom between the bounds from a zoom between steps.
    EXPECT_TRUE(s.ZoomTo(MaxSheetPixelHeight - 3));
    EXPECT_TRUE(s.ZoomIn());
    EXPECT_EQ(s.State().settings.SheetPixelHeight, MaxSheetPixelHeight);
    EXPECT_FALSE(s.ZoomIn());
    EXPECT_TRUE(s.ZoomTo(MinSheetPixelHeight + 2));
    EXPECT_TRUE(s.ZoomOut());
    EXPECT_EQ(s.State().settings.SheetPixelHeight, MinSheetPixelHeight);
    EXPECT_FALSE(s.ZoomOut());
    EXPECT_TRUE(s.ZoomTo(87));
    EXPECT_EQ(s.AcceptFeature(PointAt(25, 73), false, false).settings.SheetPixelHeight, 87);
    EXPECT_FALSE(s.ZoomTo(60)); // a request is out
    EXPECT_EQ(s.State().settings.SheetPixelHeight, 87);
}

TEST(Session, ClearDropsTheFeatureButKeepsTheRest) {
    Session s;
    s.InputOpened("/data/route.txt");
    Compute(s, s.AcceptFeature(PointAt(28, 77), true, true));
    s.ZoomIn();
    const SheetGrid grid = s.State().grid;
    EXPECT_FALSE(s.Clear(false));
    EXPECT_TRUE(s.State().InputFileOpened); // no image: the vertex input stays
    EXPECT_FALSE(s.FeatureLoaded());
    EXPECT_FALSE(s.SaveEnabled());
    EXPECT_FALSE(s.ReportEnabled());
    EXPECT_EQ(s.State().settings.SheetPixelHeight, 70);
    EXPECT_EQ(s.State().grid.SheetList, grid.SheetList);
    EXPECT_EQ(s.State().InputFileName, "/data/route.txt");
    EXPECT_TRUE(s.Clear(true));
    EXPECT_FALSE(s.State().InputFileOpened);
}

TEST(Session, RefusedImageUnloadsTheFeature) {
    Session s;
    Compute(s, s.AcceptFeature(PointAt(28, 77), false, true));
    s.ImageRefused(20);
    EXPECT_FALSE(s.FeatureLoaded());
    EXPECT_TRUE(s.SaveEnabled()); // as the dialogs leave it; saving tells why it cannot
    EXPECT_FALSE(s.ReportEnabled());
    EXPECT_EQ(s.State().settings.SheetPixelHeight, 20); // where the attempts ended
}

// A zoom lowered by a fit or the size limit belongs to the feature it was
// lowered for: the next feature starts at the default zoom. A zoom the user
// chose is kept.
TEST(Session, NextFeatureStartsAtTheDefaultZoomAfterALoweredOne) {
    Session s;
    Compute(s, s.AcceptFeature(PointAt(28, 77), true, true));
    s.ImageMade(15); // fitted a large feature
    EXPECT_TRUE(s.ZoomLowered());
    const ComputeRequest next = s.AcceptFeature(PointAt(24, 72), false, false);
    EXPECT_EQ(next.settings.SheetPixelHeight, 70);
    EXPECT_EQ(s.State().settings.SheetPixelHeight, 15); // until the result is in
    s.Abandon();
    EXPECT_EQ(s.State().settings.SheetPixelHeight, 15);
    Compute(s, s.AcceptFeature(PointAt(24, 72), false, false));
    EXPECT_EQ(s.State().settings.SheetPixelHeight, 70);
    EXPECT_FALSE(s.ZoomLowered());
    s.ImageMade(70); // made at the zoom asked for: nothing was lowered
    EXPECT_FALSE(s.ZoomLowered());

    // A refused image leaves the zoom low (as the attempts left it); the next
    // feature, a "Find sheet" too, starts at 70 again.
    s.ImageRefused(20);
    EXPECT_EQ(s.FindSheet("53H").settings.SheetPixelHeight, 70);
    s.Abandon();

    // The user's own zoom steps are kept.
    Compute(s, s.AcceptFeature(PointAt(24, 72), false, false));
    ASSERT_TRUE(s.ZoomIn());
    ASSERT_TRUE(s.ZoomIn());
    EXPECT_EQ(s.AcceptFeature(PointAt(25, 73), false, false).settings.SheetPixelHeight, 80);
    s.Abandon();
    // Zooming out after a fit is the user's choice as well.
    s.ImageMade(40);
    ASSERT_TRUE(s.ZoomOut());
    EXPECT_EQ(s.AcceptFeature(PointAt(25, 73), false, false).settings.SheetPixelHeight, 35);
}

TEST(Session, TheListOfSheetsDoesNotDependOnTheZoom) {
    Session s;
    ASSERT_FALSE(s.PickSeries(1).has_value());
    ASSERT_FALSE(s.PickScale(5).has_value()); // 1:2000
    Compute(s, s.AcceptFeature(NearLinesPolygon(), true, true));
    const std::vector<std::string> at2000 = CliList(Series::OpenSeries, 6, NearLinesPolygon());
    EXPECT_EQ(InList(s.State().grid), at2000);
    s.ImageMade(5); // a fitted layout of 5 px per sheet
    Compute(s, *s.PickScale(4));
    EXPECT_EQ(s.State().settings.SheetPixelHeight, 5); // the drawing keeps its zoom
    const std::vector<std::string> at10000 = CliList(Series::OpenSeries, 5, NearLinesPolygon());
    EXPECT_EQ(InList(s.State().grid), at10000);
    Compute(s, *s.PickScale(5));
    EXPECT_EQ(InList(s.State().grid), at2000);
    // The zoom would have made a difference: at 5 px the list is another.
    Settings low = SettingsAt(Series::OpenSeries, 5);
    low.SheetPixelHeight = 5;
    Feature f = NearLinesPolygon();
    SheetGrid g;
    ComputeSheets(low, f, g, {});
    EXPECT_NE(InList(g), at10000);
    EXPECT_EQ(DecisionSettings(low).SheetPixelHeight, DefaultSheetPixelHeight);
}

TEST(Session, FeatureSourceFollowsTheComputedFeature) {
    Session s;
    Compute(s, s.AcceptFeature(PointAt(28, 77), true, true, "/data/route.kml"));
    EXPECT_EQ(s.FeatureSource(), "/data/route.kml");
    // A scale change computes the same feature: its source stays.
    CommitResult r = Compute(s, *s.PickScale(2));
    EXPECT_FALSE(r.NewFeature);
    EXPECT_EQ(s.FeatureSource(), "/data/route.kml");
    // A typed point is nobody's file; an abandoned request changes nothing.
    s.AcceptFeature(PointAt(24, 72), false, false, "/data/other.txt");
    s.Abandon();
    EXPECT_EQ(s.FeatureSource(), "/data/route.kml");
    r = Compute(s, s.AcceptFeature(PointAt(24, 72), false, false));
    EXPECT_TRUE(r.NewFeature);
    EXPECT_EQ(s.FeatureSource(), "");
}

TEST(Session, OutsideIndexWhenNoTouchedSheetHasANumber) {
    Session s;
    EXPECT_FALSE(s.OutsideIndex()); // no feature
    Compute(s,
            s.AcceptFeature(MakePointFeature(DmsAngle{0, 0, 0}, DmsAngle{0, 0, 0}), false, false));
    EXPECT_TRUE(s.OutsideIndex());
    Compute(s, s.AcceptFeature(PointAt(28, 77), false, false));
    EXPECT_FALSE(s.OutsideIndex());
    // A line from outside the index into it touches numbered sheets.
    std::vector<VertexRec> line{{DmsAngle{30, 10, 0}, DmsAngle{62, 0, 0}},
                                {DmsAngle{30, 10, 0}, DmsAngle{66, 0, 0}}};
    Compute(s, s.AcceptFeature(MakeVertexFeature(line, false), false, true));
    EXPECT_FALSE(s.OutsideIndex());
    s.Clear(true);
    EXPECT_FALSE(s.OutsideIndex());
}

} // namespace
} // namespace sw

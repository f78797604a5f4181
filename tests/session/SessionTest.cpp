// The rules of the program state that the main window follows, without a window.

#include "session/Session.h"

#include "coverage/Coverage.h"
#include "coverage/FeatureUnion.h"
#include "index/SheetExtent.h"

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
    ComputeSheets(settings, feature, grid, {});
    return s.Commit(settings, std::move(feature), std::move(grid));
}

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

TEST(Session, AcceptedFeatureEnablesSaveAndMaybeReport) {
    Session s;
    const ComputeRequest point = s.AcceptFeature(PointAt(28, 77), false, false);
    EXPECT_EQ(point.feature.FeatureLoaded, 1);
    EXPECT_FALSE(s.SaveEnabled()); // only with the result
    EXPECT_FALSE(Compute(s, point).FitToScreen);
    EXPECT_TRUE(s.SaveEnabled());
    EXPECT_FALSE(s.ReportEnabled()); // the point dialog leaves it to the activation
    s.Activate();
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
    s.ImageRefused();
    EXPECT_FALSE(s.FeatureLoaded());
    EXPECT_TRUE(s.SaveEnabled()); // as the dialogs leave it; saving tells why it cannot
    s.Activate();
    EXPECT_FALSE(s.ReportEnabled());
}

} // namespace
} // namespace sw

#include "index/Settings.h"

#include <gtest/gtest.h>

using namespace sw;

TEST(Settings, StartState) {
    const Settings s = StartSettings();
    EXPECT_EQ(s.MapSeries, Series::OldSeries);
    EXPECT_EQ(s.ScaleIndex, 4);
    EXPECT_EQ(s.ScaleText, "1:50,000");
    EXPECT_EQ(s.SheetWidthSec, 900);
    EXPECT_EQ(s.SheetHeightSec, 900);
    EXPECT_EQ(s.LabelFontSize, 11);
    EXPECT_EQ(s.DataType, DataKind::Point);
    EXPECT_EQ(s.SheetPixelHeight, 70);
}

TEST(Settings, SheetSizesOfEveryScale) {
    Settings s;
    s.MapSeries = Series::OldSeries;
    const int32_t oldSides[] = {14400, 3600, 1800, 900, 450};
    for (uint8_t i = 1; i <= 5; ++i) {
        ApplyScale(s, i);
        EXPECT_EQ(s.SheetWidthSec, oldSides[i - 1]);
        EXPECT_EQ(s.SheetHeightSec, oldSides[i - 1]);
    }
    ApplyScale(s, 9);
    EXPECT_EQ(s.SheetWidthSec, 14400);

    s.MapSeries = Series::OpenSeries;
    const int32_t openSides[] = {21600, 3600, 900, 450, 180, 36};
    for (uint8_t i = 1; i <= 6; ++i) {
        ApplyScale(s, i);
        EXPECT_EQ(s.SheetWidthSec, openSides[i - 1]);
        EXPECT_EQ(s.SheetHeightSec, i == 1 ? 14400 : openSides[i - 1]);
    }
    ApplyScale(s, 0);
    EXPECT_EQ(s.SheetWidthSec, 21600);
    EXPECT_EQ(s.SheetHeightSec, 21600);

    s.MapSeries = static_cast<Series>(7); // neither series: untouched
    ApplyScale(s, 3);
    EXPECT_EQ(s.SheetWidthSec, 21600);
}

TEST(Settings, LabelSizes) {
    Settings s = StartSettings();
    EXPECT_EQ(s.LabelFontSize, 11);
    SelectScale(s, 5);
    EXPECT_EQ(s.LabelFontSize, 9);
    SelectSeries(s, Series::OpenSeries);
    EXPECT_EQ(s.ScaleText, "1:25,000");
    EXPECT_EQ(s.LabelFontSize, 7);
    SelectScale(s, 3);
    EXPECT_EQ(s.LabelFontSize, 9);
}

TEST(Settings, SeriesSwitchKeepsTheMapScale) {
    Settings s = StartSettings();
    SelectSeries(s, Series::OpenSeries);
    EXPECT_EQ(s.ScaleIndex, 3);
    EXPECT_EQ(s.ScaleText, "1:50,000");
    SelectSeries(s, Series::OldSeries);
    EXPECT_EQ(s.ScaleIndex, 4);
    EXPECT_EQ(s.ScaleText, "1:50,000");

    SelectScale(s, 3); // 1:1,25,000 has no open counterpart
    SelectSeries(s, Series::OpenSeries);
    EXPECT_EQ(s.ScaleText, "1:2,50,000");

    for (int32_t keep : {1, 2}) {
        SelectSeries(s, Series::OldSeries);
        SelectScale(s, keep);
        SelectSeries(s, Series::OpenSeries);
        EXPECT_EQ(s.ScaleIndex, keep);
        SelectSeries(s, Series::OldSeries);
        EXPECT_EQ(s.ScaleIndex, keep);
    }
}

TEST(Settings, FineOpenScalesSwitchToTheFinestOldScale) {
    for (int32_t fine : {5, 6}) {
        Settings s = StartSettings();
        SelectSeries(s, Series::OpenSeries);
        SelectScale(s, fine);
        SelectSeries(s, Series::OldSeries);
        EXPECT_EQ(s.ScaleIndex, 5);
        EXPECT_EQ(s.ScaleText, "1:25,000");
        EXPECT_EQ(s.SheetWidthSec, 450);
    }
}

TEST(Settings, SheetPixelWidthRoundsHalfToEven) {
    EXPECT_EQ(SheetPixelWidth(21600, 14400, 70), 105);
    EXPECT_EQ(SheetPixelWidth(21600, 14400, 65), 98);  // 97.5
    EXPECT_EQ(SheetPixelWidth(21600, 14400, 75), 112); // 112.5
    EXPECT_EQ(SheetPixelWidth(900, 900, 35), 35);
    Settings s = StartSettings();
    s.SheetPixelHeight = 35;
    EXPECT_EQ(DrawnLabelFontSize(s), 6); // 5.5
}

TEST(Settings, FindScaleAcceptsBothSpellings) {
    EXPECT_EQ(FindScale(Series::OldSeries, "1:50,000"), 4);
    EXPECT_EQ(FindScale(Series::OldSeries, "1:50000"), 4);
    EXPECT_EQ(FindScale(Series::OldSeries, "1:250000"), 2);
    EXPECT_EQ(FindScale(Series::OpenSeries, "1:2000"), 6);
    EXPECT_EQ(FindScale(Series::OpenSeries, "1:1,25,000"), 0);
    EXPECT_EQ(FindScale(Series::OldSeries, "1:1M"), 1);
    EXPECT_EQ(FindScale(Series::OldSeries, ""), 0);
}

// The layout's pixel geometry, the image size limit and the zoom that fits the
// screen; the start-up bitmap probe with a simulated platform.

#include "coverage/LayoutGeometry.h"
#include "coverage/LayoutSizing.h"
#include "index/Settings.h"
#include "view/BitmapProbe.h"

#include <QTest>

#include <vector>

using namespace sw;
using namespace sw::gui;

class LayoutGeometryViewTest : public QObject {
    Q_OBJECT

private slots:
    void oneOldSheetAtZoom70() {
        const Settings s = StartSettings();
        const LayoutGeometry geo = PlanLayout(s, 1, 1);
        QCOMPARE(geo.ImageWidth, 280);
        QCOMPARE(geo.ImageHeight, 280);
        QCOMPARE(geo.GridOriginX, 105);
        QCOMPARE(geo.GridOriginY, 105);
        QCOMPARE(geo.GridRightX, 175);
        QCOMPARE(geo.GridBottomY, 175);
    }

    void openMillionSheetRoundings() {
        Settings s = StartSettings();
        SelectSeries(s, Series::OpenSeries);
        SelectScale(s, 1);
        QCOMPARE(s.SheetWidthSec, 21600);
        LayoutGeometry geo = PlanLayout(s, 1, 1);
        QCOMPARE(geo.CellWidth, 105);
        QCOMPARE(geo.ImageWidth, 385);
        QCOMPARE(geo.ImageHeight, 280);
        QCOMPARE(geo.GridOriginX, 140);
        QCOMPARE(geo.GridOriginY, 105);

        s.SheetPixelHeight = 65; // 97.5: a half goes to the even neighbour
        geo = PlanLayout(s, 1, 1);
        QCOMPARE(geo.CellWidth, 98);
        QCOMPARE(geo.GridOriginX, 130); // round(97.5 + 32.5), not 98 + 33

        s.SheetPixelHeight = 75;
        geo = PlanLayout(s, 1, 1);
        QCOMPARE(geo.CellWidth, 112);
    }

    void sizeLimitIsStrictAndLowersTheZoom() {
        Settings s = StartSettings();
        SheetGrid g;
        g.GridCols = 1;
        g.GridRows = 1;
        ImageSize size;
        // 280 x 280 x 32 exactly: refused, so the zoom goes down to 65 (3 x 65 + 65 = 260).
        ImageLimits limits{32, 280LL * 280 * 32};
        QVERIFY(ImageSizePossible(s, g, limits, size));
        QCOMPARE(s.SheetPixelHeight, 65);
        QCOMPARE(size.Width, 260);
        QCOMPARE(size.Height, 260);

        s.SheetPixelHeight = 70;
        limits.MaxBitmapSize = 280LL * 280 * 32 + 1;
        QVERIFY(ImageSizePossible(s, g, limits, size));
        QCOMPARE(s.SheetPixelHeight, 70);
    }

    void sizeLimitNeverGoesBelowZoom5() {
        Settings s = StartSettings();
        s.SheetPixelHeight = 20;
        SheetGrid g;
        g.GridCols = 1000;
        g.GridRows = 1000;
        ImageSize size{1, 1};
        const ImageLimits limits{32, 1000};
        QVERIFY(!ImageSizePossible(s, g, limits, size));
        QCOMPARE(s.SheetPixelHeight, MinSheetPixelHeight);
        QCOMPARE(size.Width, 0);
        QCOMPARE(size.Height, 0);

        // Ten attempts at most, each refusal lowering the zoom: from 140 it ends 50 lower.
        s.SheetPixelHeight = 140;
        QVERIFY(!ImageSizePossible(s, g, limits, size));
        QCOMPARE(s.SheetPixelHeight, 90);
    }

    void absurdGridIsRefusedNotWrapped() {
        Settings s = StartSettings();
        SheetGrid g;
        g.GridCols = 2'000'000'000;
        g.GridRows = 2'000'000'000;
        ImageSize size;
        const ImageLimits limits{32, INT64_MAX};
        QVERIFY(!ImageSizePossible(s, g, limits, size));
    }

    void fitZoomLowersUntilTheImageFits() {
        Settings s = StartSettings();
        SheetGrid g;
        g.GridCols = 10;
        g.GridRows = 4;
        const ImageLimits limits{32, INT64_MAX / 2};
        // At 70 the image is 910 wide; 600 needs 600 >= 13 z: z = 45 gives 585.
        FitResult r = FitZoom(s, g, limits, 600, 1000);
        QVERIFY(r.ImagePossible);
        QVERIFY(r.Fits);
        QCOMPARE(s.SheetPixelHeight, 45);

        // A visible area no zoom fits stops at 5 and says so.
        s.SheetPixelHeight = 70;
        r = FitZoom(s, g, limits, 10, 10);
        QVERIFY(r.ImagePossible);
        QVERIFY(!r.Fits);
        QCOMPARE(s.SheetPixelHeight, 5);

        // An empty grid (no feature yet): two by two ring cells and the margin.
        SheetGrid empty;
        s.SheetPixelHeight = 70;
        r = FitZoom(s, empty, limits, 1000, 1000);
        QVERIFY(r.Fits);
        QCOMPARE(s.SheetPixelHeight, 70);
    }

    // Fitting goes past the ten attempts of a new image, down to the smallest
    // zoom, and plans sizes without making bitmaps.
    void fitZoomGoesOnToTheSmallestZoom() {
        Settings s = StartSettings();
        SheetGrid g;
        g.GridCols = 100;
        g.GridRows = 100;
        // 102 cells and a margin at zoom 15: 1545 square; the limit takes just that.
        const ImageLimits limits{32, int64_t{1545} * 1545 * 32 + 1};
        ImageSize size;
        Settings tried = s;
        QVERIFY(!ImageSizePossible(tried, g, limits, size)); // 70 down to 20
        FitResult r = FitZoom(s, g, limits, 5000, 5000);
        QVERIFY(r.ImagePossible);
        QVERIFY(r.Fits);
        QCOMPARE(s.SheetPixelHeight, 15);
        // Nothing at all: the smallest zoom, and no image.
        s.SheetPixelHeight = 70;
        r = FitZoom(s, g, ImageLimits{32, 1000}, 5000, 5000);
        QVERIFY(!r.ImagePossible);
        QCOMPARE(s.SheetPixelHeight, 5);
    }

    void probeTakesTheFirstSizeThatSucceeds() {
        std::vector<int> tries;
        ImageLimits l = GetMAxResource(32, 96.0, 300, [&](int w, int h) {
            tries.push_back(w);
            return w == h;
        });
        QCOMPARE(tries.size(), std::size_t{1});
        QCOMPARE(tries[0], 11339);
        QCOMPARE(l.ScreenBitDepth, 32);
        QCOMPARE(l.MaxBitmapSize, 11339LL * 11339 * 32);

        // Out of resources above 3000 pixels: 11339, again 11339, then a half, a third, a fourth.
        tries.clear();
        l = GetMAxResource(24, 96.0, 300, [&](int w, int) {
            tries.push_back(w);
            return w <= 3000;
        });
        QCOMPARE(tries, (std::vector<int>{11339, 11339, 5669, 3780, 2835}));
        QCOMPARE(l.MaxBitmapSize, 2835LL * 2835 * 24);

        // Everything fails: the twentieth is kept.
        l = GetMAxResource(32, 96.0, 300, [](int, int) { return false; });
        QCOMPARE(l.MaxBitmapSize, 567LL * 567 * 32);
    }

    void realProbeIsQuick() {
        // Allocates without touching the memory; the real platform gives the first size.
        const ImageLimits l = GetMAxResource(32, 96.0);
        QVERIFY(l.MaxBitmapSize > 0);
    }
};

QTEST_GUILESS_MAIN(LayoutGeometryViewTest)
#include "LayoutGeometryViewTest.moc"

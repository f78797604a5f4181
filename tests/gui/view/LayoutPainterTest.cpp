// Pixels of a drawn layout: the frame, the dotted ring, the block, the sheet
// numbers, the feature and the pointer highlight.

#include "ImageChecks.h"
#include "TestGrids.h"

#include "coverage/LayoutGeometry.h"
#include "coverage/PixelFrame.h"
#include "coverage/PointerReadout.h"
#include "view/LayoutPainter.h"

#include <QGuiApplication>
#include <QTest>

using namespace sw;
using namespace sw::gui;
using namespace sw::test;

namespace {

QRgb Rgb(int r, int g, int b) {
    return qRgb(r, g, b);
}

// The image keeps only the colours that were asked for (nothing is antialiased).
bool OnlyColors(const QImage& img, const QRect& area, const std::vector<QRgb>& colors) {
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (std::find(colors.begin(), colors.end(), img.pixel(x, y)) == colors.end()) {
                return false;
            }
        }
    }
    return true;
}

struct Layout {
    Settings s = StartSettings();
    Feature f;
    SheetGrid g;
    QImage image;
    int32_t total = -1;
};

// One old 1:50,000 sheet at zoom 70 with a point at 24°03' N, 72°03' E, which
// lands at pixel (119, 161).
Layout PointLayout(bool in = true) {
    Layout l;
    l.f = MakePointFeature(Dms(24, 3), Dms(72, 3));
    l.f.FeatureLoaded = 1;
    l.g = MakeGrid(l.s, WestSec, NorthSec, 1, 1, in ? std::vector<int>{0} : std::vector<int>{});
    l.image = RenderLayout(l.s, l.f, l.g, &l.total);
    return l;
}

} // namespace

class LayoutPainterTest : public QObject {
    Q_OBJECT

private slots:
    void blankImageIsWhiteWithABlackFrame() {
        const QImage img = CreateLayoutImage(20, 10);
        QCOMPARE(img.format(), QImage::Format_RGB32);
        QCOMPARE(img.pixel(0, 0), Rgb(0, 0, 0));
        QCOMPARE(img.pixel(19, 0), Rgb(0, 0, 0));
        QCOMPARE(img.pixel(0, 9), Rgb(0, 0, 0));
        QCOMPARE(img.pixel(19, 9), Rgb(0, 0, 0));
        QCOMPARE(img.pixel(1, 1), Rgb(255, 255, 255));
        QCOMPARE(img.pixel(18, 8), Rgb(255, 255, 255));
        QVERIFY(CreateLayoutImage(0, 10).isNull());
    }

    void pointLayoutFrameBlockAndRing() {
        const Layout l = PointLayout();
        QCOMPARE(l.image.size(), QSize(280, 280));
        QCOMPARE(l.total, 1);
        QCOMPARE(CountInSheets(l.g), 1); // counted, not written into the model
        // The block's cell is placed by the geometry; the model keeps its own positions.
        const LayoutGeometry geo = PlanLayout(l.s, 1, 1);
        QCOMPARE(CellCorner(geo, 0, 0).X, 105);
        QCOMPARE(CellCorner(geo, 0, 0).Y, 105);
        const QImage& img = l.image;
        // The image frame.
        QCOMPARE(img.pixel(0, 0), Rgb(0, 0, 0));
        QCOMPARE(img.pixel(279, 279), Rgb(0, 0, 0));
        QCOMPARE(img.pixel(1, 140), Rgb(255, 255, 255));
        // The block's black outline on x = 105 and 175, y = 105 and 175.
        for (int y : {105, 120, 175}) {
            QCOMPARE(img.pixel(105, y), Rgb(0, 0, 0));
            QCOMPARE(img.pixel(175, y), Rgb(0, 0, 0));
        }
        QCOMPARE(img.pixel(140, 105), Rgb(0, 0, 0));
        QCOMPARE(img.pixel(140, 175), Rgb(0, 0, 0));
        QCOMPARE(img.pixel(106, 110), Rgb(255, 255, 255));
        QCOMPARE(img.pixel(176, 110), Rgb(255, 255, 255));
        // The ring's outer line is dotted silver: silver and white along y = 35.
        const QRect outerTop(40, 35, 60, 1);
        QVERIFY(HasColor(img, outerTop, Rgb(192, 192, 192)));
        QVERIFY(HasColor(img, outerTop, Rgb(255, 255, 255)));
        QVERIFY(OnlyColors(img, outerTop, {Rgb(192, 192, 192), Rgb(255, 255, 255)}));
        // Outside the ring: half the margin left blank.
        QVERIFY(OnlyColors(img, QRect(1, 1, 33, 278), {Rgb(255, 255, 255)}));
        // Neighbours' numbers in silver inside the ring cells.
        QVERIFY(HasColor(img, QRect(37, 37, 66, 66), Rgb(192, 192, 192)));
    }

    void pointMarkerAndSheetNumbers() {
        const Layout l = PointLayout();
        const QImage& img = l.image;
        // A red circle of diameter 10 with a white inside and a red centre pixel.
        QCOMPARE(img.pixel(119, 161), Rgb(255, 0, 0));
        QCOMPARE(img.pixel(117, 161), Rgb(255, 255, 255));
        QCOMPARE(img.pixel(121, 161), Rgb(255, 255, 255));
        QCOMPARE(img.pixel(119, 159), Rgb(255, 255, 255));
        QVERIFY(HasColor(img, QRect(114, 159, 1, 5), Rgb(255, 0, 0)));
        QVERIFY(HasColor(img, QRect(123, 159, 1, 5), Rgb(255, 0, 0)));
        QVERIFY(HasColor(img, QRect(117, 156, 5, 1), Rgb(255, 0, 0)));
        QVERIFY(HasColor(img, QRect(117, 165, 5, 1), Rgb(255, 0, 0)));
        QVERIFY(!HasColor(img, QRect(113, 150, 1, 20), Rgb(255, 0, 0)));
        QVERIFY(!HasColor(img, QRect(124, 150, 1, 20), Rgb(255, 0, 0)));
        // The IN sheet's number is blue; an OUT sheet's is black, with no blue at all.
        const QRect numberArea(106, 120, 69, 30);
        QVERIFY(HasColor(img, numberArea, Rgb(0, 0, 255)));
        const Layout out = PointLayout(false);
        QCOMPARE(out.total, 0);
        QVERIFY(!HasColor(out.image, numberArea, Rgb(0, 0, 255)));
        QVERIFY(HasColor(out.image, numberArea, Rgb(0, 0, 0)));
        // Maroon corner labels above the block's left edge.
        QVERIFY(HasColor(img, QRect(60, 85, 90, 20), Rgb(128, 0, 0)));
    }

    void polygonFillLiesUnderTheBlock() {
        Layout l;
        l.s.DataType = DataKind::Polygon;
        l.f = MakeVertexFeature({{Dms(24, 2), Dms(72, 2)},
                                 {Dms(24, 13), Dms(72, 2)},
                                 {Dms(24, 13), Dms(72, 13)},
                                 {Dms(24, 2), Dms(72, 13)},
                                 {Dms(24, 2), Dms(72, 2)}},
                                true);
        l.f.FeatureLoaded = 1;
        l.g = MakeGrid(l.s, WestSec, NorthSec, 1, 1, {0});
        l.image = RenderLayout(l.s, l.f, l.g, &l.total);
        const QImage& img = l.image;
        QCOMPARE(img.pixel(115, 165), Rgb(234, 255, 255));
        // The fill stays inside the polygon, and the block line is drawn over it.
        QCOMPARE(img.pixel(106, 165), Rgb(255, 255, 255));
        QCOMPARE(img.pixel(105, 165), Rgb(0, 0, 0));
        // The feature is placed on this layout's frame.
        const SheetGrid frame = LayoutFrame(l.g, PlanLayout(l.s, 1, 1));
        QCOMPARE(GeoToPixel(l.s, frame, l.f.Vertices[0]).X, 105 + 9);
        // The red outline of the polygon's edges.
        QCOMPARE(img.pixel(114, 150), Rgb(255, 0, 0));
    }

    void polylineCellsAreWhite() {
        Layout l;
        l.s.DataType = DataKind::Polyline;
        l.f = MakeVertexFeature({{Dms(24, 2), Dms(72, 2)}, {Dms(24, 13), Dms(72, 13)}}, false);
        l.g = MakeGrid(l.s, WestSec, NorthSec, 1, 1, {0});
        l.image = RenderLayout(l.s, l.f, l.g, &l.total);
        QVERIFY(!HasColor(l.image, QRect(0, 0, 280, 280), Rgb(234, 255, 255)));
        QCOMPARE(l.image.pixel(115, 115), Rgb(255, 255, 255));
        QVERIFY(HasColor(l.image, QRect(140, 140, 30, 30), Rgb(255, 0, 0)));
    }

    void highlightTwiceRestoresTheImage() {
        Layout l = PointLayout();
        const QImage before = l.image.copy();
        const LayoutGeometry geo = PlanLayout(l.s, 1, 1);
        const HighlightBox r = HighlightRect(geo, l.g.GridCols, 0);
        QCOMPARE(r.Left, 107);
        QCOMPARE(r.Right, 174);
        DrawHighlight(l.image, r);
        // White under the yellow brush turns yellow; under the red frame, red.
        QCOMPARE(l.image.pixel(109, 110), Rgb(255, 255, 0));
        QCOMPARE(l.image.pixel(107, 110), Rgb(255, 0, 0));
        QCOMPARE(l.image.pixel(173, 173), Rgb(255, 0, 0));
        QCOMPARE(l.image.pixel(174, 110), before.pixel(174, 110)); // the free pixel by the frame
        QCOMPARE(l.image.pixel(106, 110), before.pixel(106, 110));
        QVERIFY(l.image != before);
        DrawHighlight(l.image, r);
        QVERIFY(l.image == before);
    }

    void repositionsEverySheetForTheZoom() {
        Layout l;
        l.s.SheetPixelHeight = 35;
        l.f = MakePointFeature(Dms(24, 3), Dms(72, 3));
        l.g = MakeGrid(l.s, WestSec, NorthSec + 900, 2, 2, {2});
        l.image = RenderLayout(l.s, l.f, l.g, &l.total);
        QCOMPARE(l.image.size(), QSize(35 * 4 + 35, 35 * 4 + 35));
        // Origin round(35 + 17.5) = 52 (a half to even).
        const LayoutGeometry geo = PlanLayout(l.s, 2, 2);
        QCOMPARE(CellCorner(geo, 0, 0).X, 52);
        QCOMPARE(CellCorner(geo, 1, 1).X, 52 + 35);
        QCOMPARE(CellCorner(geo, 1, 1).Y, 52 + 35);
        QCOMPARE(l.total, 1);
    }

    void tinyZoomDrawsWithoutText() {
        Layout l;
        l.s = StartSettings();
        SelectSeries(l.s, Series::OpenSeries);
        SelectScale(l.s, 4); // label size 7: round(7 * 5 / 70) = 0, no text at all
        l.s.SheetPixelHeight = 5;
        l.f = MakePointFeature(Dms(24, 3), Dms(72, 3));
        l.g = MakeGrid(l.s, WestSec, NorthSec, 1, 1, {0});
        l.image = RenderLayout(l.s, l.f, l.g, &l.total);
        QCOMPARE(l.image.size(), QSize(20, 20));
        QCOMPARE(l.total, 1);
    }
};

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    LayoutPainterTest t;
    return QTest::qExec(&t, argc, argv);
}
#include "LayoutPainterTest.moc"

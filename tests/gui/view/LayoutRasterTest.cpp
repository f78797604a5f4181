// The layout drawn straight into the image's pixels gives exactly the pixels the
// painter gives; numbers too small to read are left out of pictures; a polygon's
// outline is closed.

#include "ImageChecks.h"
#include "TestGrids.h"

#include "coverage/LayoutGeometry.h"
#include "coverage/PixelFrame.h"
#include "view/LayoutCanvas.h"
#include "view/LayoutPainter.h"

#include <QGuiApplication>
#include <QPicture>
#include <QTest>

#include <algorithm>
#include <atomic>
#include <vector>

using namespace sw;
using namespace sw::gui;
using namespace sw::test;

namespace {

struct Case {
    Settings s = StartSettings();
    Feature f;
    SheetGrid g;
};

// A blank layout image and the whole drawing, every step on one canvas that
// draws either way.
QImage Draw(Case& k, LayoutCanvas::Raster raster) {
    const LayoutGeometry geo = PlanLayout(k.s, k.g.GridCols, k.g.GridRows);
    const int w = static_cast<int>(geo.ImageWidth);
    const int h = static_cast<int>(geo.ImageHeight);
    QImage image(w, h, QImage::Format_RGB32);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    LayoutCanvas c(image, raster);
    c.SetPenColor(Qt::black);
    c.SetBrushSolid(Qt::white);
    c.Rectangle(0, 0, w, h);
    PaintLayoutOn(c, k.s, k.f, k.g, geo);
    return image;
}

// A square ring over the middle of a 3 x 3 block, IN cells along a diagonal.
Case Block(Series series, int scale, int zoom, DataKind dataType) {
    Case k;
    SelectSeries(k.s, series);
    SelectScale(k.s, scale);
    k.s.SheetPixelHeight = zoom;
    k.s.DataType = dataType;
    const int32_t north = 30 * 3600;
    const int32_t west = 78 * 3600;
    const int32_t midLat = north - k.s.SheetHeightSec * 3 / 2;
    const int32_t midLon = west + k.s.SheetWidthSec * 3 / 2;
    const int32_t dLat = k.s.SheetHeightSec;
    const int32_t dLon = k.s.SheetWidthSec;
    if (dataType == DataKind::Point) {
        k.f = MakePointFeature(SecToDms(midLat), SecToDms(midLon));
    } else {
        k.f = MakeVertexFeature({{SecToDms(midLat - dLat), SecToDms(midLon - dLon)},
                                 {SecToDms(midLat + dLat), SecToDms(midLon - dLon / 2)},
                                 {SecToDms(midLat + dLat / 2), SecToDms(midLon + dLon)},
                                 {SecToDms(midLat - dLat / 3), SecToDms(midLon + dLon / 3)}},
                                dataType == DataKind::Polygon);
    }
    k.f.FeatureLoaded = 1;
    k.g = MakeGrid(k.s, west, north, 3, 3, {0, 4, 8});
    return k;
}

QRgb Red() {
    return qRgb(255, 0, 0);
}

} // namespace

class LayoutRasterTest : public QObject {
    Q_OBJECT

private slots:
    void directPixelsEqualThePaintersAtEveryZoom() {
        // Square and 1.5-wide cells, odd and even sizes, white and clear brushes,
        // numbers inside their cells and numbers wider than them.
        struct Setup {
            Series series;
            int scale;
            DataKind dataType;
        };
        for (const Setup& u : {Setup{Series::OldSeries, 3, DataKind::Point},
                               Setup{Series::OldSeries, 5, DataKind::Polygon},
                               Setup{Series::OpenSeries, 1, DataKind::Polyline},
                               Setup{Series::OpenSeries, 6, DataKind::Polygon}}) {
            for (int zoom : {5, 10, 25, 35, 40, 65, 70, 75, 140}) {
                Case direct = Block(u.series, u.scale, zoom, u.dataType);
                Case painter = direct;
                const QImage a = Draw(direct, LayoutCanvas::Raster::Direct);
                const QImage b = Draw(painter, LayoutCanvas::Raster::ThroughPainter);
                QVERIFY2(a == b, qPrintable(QStringLiteral("series %1 scale %2 zoom %3")
                                                .arg(static_cast<int>(u.series))
                                                .arg(u.scale)
                                                .arg(zoom)));
            }
        }
    }

    void directFramesStayInsideTheImage() {
        QImage image(12, 8, QImage::Format_RGB32);
        image.fill(Qt::white);
        QImage reference = image.copy();
        {
            LayoutCanvas direct(image);
            LayoutCanvas painter(reference, LayoutCanvas::Raster::ThroughPainter);
            for (LayoutCanvas* c : {&direct, &painter}) {
                c->SetPenColor(Qt::black);
                c->SetBrushSolid(Qt::blue);
                c->Rectangle(-3, -2, 5, 4);
                c->Rectangle(9, 5, 20, 20);
                c->SetPenDotted(true);
                c->Rectangle(-4, 3, 6, 12); // partly outside: left to the painter
                c->Rectangle(2, 1, 10, 7);
            }
        }
        QVERIFY(image == reference);
    }

    void numbersTooSmallToReadAreLeftOut() {
        // Old 1:50,000 numbers at 11 points at zoom 70: 3 points at zoom 20 are
        // not written, 4 points at zoom 25 are.
        for (int zoom : {20, 25}) {
            Case k = Block(Series::OldSeries, 3, zoom, DataKind::Polyline);
            k.f = MakeVertexFeature({}, false);
            const QImage img = Draw(k, LayoutCanvas::Raster::Direct);
            const LayoutGeometry geo = PlanLayout(k.s, 3, 3);
            const QRect firstCell(geo.GridOriginX + 1, geo.GridOriginY + 1, geo.CellWidth - 1,
                                  geo.CellHeight - 1);
            QCOMPARE(HasColor(img, firstCell, qRgb(0, 0, 255)), zoom == 25);
            const QRect ringCell(geo.GridOriginX - geo.CellWidth + 1,
                                 geo.GridOriginY - geo.CellHeight + 1, geo.CellWidth - 1,
                                 geo.CellHeight - 1);
            QCOMPARE(HasColor(img, ringCell.adjusted(1, 1, -1, -1), qRgb(192, 192, 192)),
                     zoom == 25);
        }
        // A page can be magnified: any size is written there.
        QPicture page;
        QPainter p(&page);
        LayoutCanvas vector(p);
        vector.SetFontSize(1);
        QVERIFY(vector.TextLegible());
        vector.SetFontSize(0);
        QVERIFY(!vector.TextLegible());
    }

    void longDrawingsReportProgressAndStop() {
        Case k = Block(Series::OpenSeries, 6, 5, DataKind::Polygon);
        k.g = MakeGrid(k.s, 78 * 3600, 30 * 3600, 40, 30, {0, 5, 700});
        const LayoutGeometry geo = PlanLayout(k.s, k.g.GridCols, k.g.GridRows);
        QImage image = CreateLayoutImage(static_cast<int32_t>(geo.ImageWidth),
                                         static_cast<int32_t>(geo.ImageHeight));
        std::vector<int32_t> seen;
        PaintControl ctl;
        ctl.progress = [&](int32_t p) { seen.push_back(p); };
        QCOMPARE(PaintLayout(image, k.s, k.f, k.g, geo, ctl), 3);
        // Each percentage once, rising, up to 100; and the same pixels as without.
        QVERIFY(seen.size() > 10);
        QVERIFY(std::is_sorted(seen.begin(), seen.end()));
        QVERIFY(std::adjacent_find(seen.begin(), seen.end()) == seen.end());
        QCOMPARE(seen.back(), 100);
        QImage plain = CreateLayoutImage(static_cast<int32_t>(geo.ImageWidth),
                                         static_cast<int32_t>(geo.ImageHeight));
        PaintLayout(plain, k.s, k.f, k.g, geo);
        QVERIFY(plain == image);
        // A cancellation stops the drawing at the next row.
        std::atomic<bool> cancel{false};
        ctl.cancel = &cancel;
        ctl.progress = [&](int32_t p) { cancel = p >= 30; };
        QImage stopped = CreateLayoutImage(static_cast<int32_t>(geo.ImageWidth),
                                           static_cast<int32_t>(geo.ImageHeight));
        QVERIFY_THROWS_EXCEPTION(PaintCancelled, PaintLayout(stopped, k.s, k.f, k.g, geo, ctl));
        QVERIFY(stopped != plain);
    }

    void polygonOutlineIsClosed() {
        Case open = Block(Series::OldSeries, 3, 70, DataKind::Polygon);
        const QImage img = Draw(open, LayoutCanvas::Raster::Direct);
        // The closing edge runs from the last vertex back to the first.
        const SheetGrid frame =
            LayoutFrame(open.g, PlanLayout(open.s, open.g.GridCols, open.g.GridRows));
        const PixelPoint a = GeoToPixel(open.s, frame, open.f.Vertices.back());
        const PixelPoint b = GeoToPixel(open.s, frame, open.f.Vertices.front());
        const QPoint mid((a.X + b.X) / 2, (a.Y + b.Y) / 2);
        QVERIFY(HasColor(img, QRect(mid - QPoint(1, 1), QSize(3, 3)), Red()));
        // A ring that repeats its first vertex is drawn the same.
        Case closed = open;
        closed.f.Vertices.push_back(closed.f.Vertices.front());
        closed.f.VertexCount = static_cast<int32_t>(closed.f.Vertices.size());
        QVERIFY(Draw(closed, LayoutCanvas::Raster::Direct) == img);
        // A polyline stays open.
        Case line = Block(Series::OldSeries, 3, 70, DataKind::Polyline);
        const QImage lineImg = Draw(line, LayoutCanvas::Raster::Direct);
        QVERIFY(!HasColor(lineImg, QRect(mid - QPoint(1, 1), QSize(3, 3)), Red()));
    }
};

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    LayoutRasterTest t;
    return QTest::qExec(&t, argc, argv);
}
#include "LayoutRasterTest.moc"

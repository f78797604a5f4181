// The layout's level of detail: cells of a few pixels are drawn as the IN
// cells filled, without grid lines, and sheet numbers wider than their cell are
// left out; at the usual zoom the grid is drawn as ever.

#include "TestGrids.h"

#include "coverage/LayoutGeometry.h"
#include "view/LayoutCanvas.h"
#include "view/LayoutPainter.h"

#include <QGuiApplication>
#include <QPainter>
#include <QTest>

using namespace sw;
using namespace sw::gui;
using namespace sw::test;

class LayoutDetailTest : public QObject {
    Q_OBJECT

    static QImage Draw(Settings s, SheetGrid& g, int32_t zoom) {
        s.SheetPixelHeight = zoom;
        Feature f;
        const LayoutGeometry geo = PlanLayout(s, g.GridCols, g.GridRows);
        QImage image = CreateLayoutImage(static_cast<int32_t>(geo.ImageWidth),
                                         static_cast<int32_t>(geo.ImageHeight));
        PaintLayout(image, s, f, g, geo);
        return image;
    }

    static int Count(const QImage& image, QRgb colour) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y) {
            const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                n += (row[x] & 0xffffffu) == (colour & 0xffffffu) ? 1 : 0;
            }
        }
        return n;
    }

private slots:
    void tinyCellsShowTheInCellsFilledAndNoGridLines() {
        const Settings s = StartSettings();
        // 40 x 30 cells, IN: the left half of rows 10 to 19.
        std::vector<int> in;
        for (int r = 10; r < 20; ++r) {
            for (int c = 0; c < 20; ++c) {
                in.push_back(r * 40 + c);
            }
        }
        SheetGrid g = MakeGrid(s, WestSec, NorthSec, 40, 30, in);
        const QImage image = Draw(s, g, 3);
        const LayoutGeometry geo = PlanLayout(
            [&] {
                Settings t = s;
                t.SheetPixelHeight = 3;
                return t;
            }(),
            40, 30);
        // Inside an IN cell's run: blue; inside an OUT cell: white, with no grid
        // line through the block.
        const QPoint inCell(geo.GridOriginX + 10 * 3 + 1, geo.GridOriginY + 15 * 3 + 1);
        const QPoint outCell(geo.GridOriginX + 30 * 3 + 1, geo.GridOriginY + 5 * 3 + 1);
        QCOMPARE(image.pixel(inCell) & 0xffffffu, QRgb(0x0000ff));
        QCOMPARE(image.pixel(outCell) & 0xffffffu, QRgb(0xffffff));
        for (int x = geo.GridOriginX + 1; x < geo.GridRightX; ++x) {
            QVERIFY(image.pixel(x, geo.GridOriginY + 5 * 3) != qRgb(0, 0, 0));
        }
        // The run covers its 200 cells whole, (20 x 3 + 1) x (10 x 3 + 1) pixels,
        // less its left edge, which is the block's frame.
        QCOMPARE(Count(image, qRgb(0, 0, 255)), 60 * 31);
        // The block's frame stays.
        QCOMPARE(image.pixel(geo.GridOriginX, geo.GridOriginY + 40) & 0xffffffu, QRgb(0));
    }

    void numbersWiderThanTheirCellAreLeftOut() {
        const Settings s = StartSettings();
        SheetGrid g = MakeGrid(s, WestSec, NorthSec, 3, 3, {4});
        Feature f;
        const LayoutGeometry geo = PlanLayout(s, g.GridCols, g.GridRows);
        // The layout at a tenth of its size through a painter, as on a PDF page
        // of a large grid: cells of 7 device pixels, numbers of 1.5 that would
        // be wider than their cell at any readable size. No blue number.
        QImage page(static_cast<int>(geo.ImageWidth / 10) + 2,
                    static_cast<int>(geo.ImageHeight / 10) + 2, QImage::Format_RGB32);
        page.fill(Qt::white);
        {
            QPainter painter(&page);
            painter.scale(0.1, 0.1);
            LayoutCanvas c(painter);
            QVERIFY(!CellsAsFills(c, geo));
            PaintLayoutOn(c, s, f, g, geo);
        }
        QCOMPARE(Count(page, qRgb(0, 0, 255)), 0);
        // At full size the IN sheet's number is written in blue.
        QVERIFY(Count(Draw(s, g, 70), qRgb(0, 0, 255)) > 0);
    }
};

QTEST_MAIN(LayoutDetailTest)
#include "LayoutDetailTest.moc"

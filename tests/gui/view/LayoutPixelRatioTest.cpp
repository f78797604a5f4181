// The layout on a screen of two device pixels per layout pixel: drawn at that
// density (not an enlarged bitmap), read out in layout pixels, and saved as the
// same picture a screen of one device pixel per layout pixel saves.

#include "TestGrids.h"

#include "coverage/LayoutGeometry.h"
#include "view/LayoutPainter.h"
#include "view/LayoutPane.h"

#include <QApplication>
#include <QScrollArea>
#include <QTest>

using namespace sw;
using namespace sw::gui;
using namespace sw::test;

namespace {

struct Shown {
    Settings s = StartSettings();
    Feature f = MakePointFeature(Dms(24, 3), Dms(72, 3));
    SheetGrid g = MakeGrid(s, WestSec, NorthSec, 1, 1, {0});
};

// The same layout drawn at one device pixel per layout pixel.
QImage AtRatioOne(Shown m) {
    return RenderLayout(m.s, m.f, m.g);
}

// Each layout pixel of `img` repeated over a 2 x 2 block.
QImage Enlarged(const QImage& img) {
    QImage out(img.width() * 2, img.height() * 2, QImage::Format_RGB32);
    for (int y = 0; y < out.height(); ++y) {
        for (int x = 0; x < out.width(); ++x) {
            out.setPixel(x, y, img.pixel(x / 2, y / 2));
        }
    }
    out.setDevicePixelRatio(2);
    return out;
}

} // namespace

class LayoutPixelRatioTest : public QObject {
    Q_OBJECT

private slots:
    void layoutIsDrawnAtTheScreensDensity() {
        QScrollArea box;
        box.resize(800, 600);
        QCOMPARE(box.devicePixelRatioF(), 2.0);
        LayoutPane pane(&box);
        pane.SetLimits(ImageLimits{32, int64_t{1} << 40});
        Shown m;
        QVERIFY(pane.Create(m.s, m.g));
        QCOMPARE(pane.Paint(m.s, m.f, m.g), std::optional<int32_t>(1));
        const QImage& img = *pane.Image();
        QCOMPARE(img.size(), QSize(560, 560));
        QCOMPARE(img.deviceIndependentSize(), QSizeF(280, 280));
        // The block's left line, one layout pixel at x = 105, covers device 210-211.
        QCOMPARE(img.pixel(210, 300), qRgb(0, 0, 0));
        QCOMPARE(img.pixel(211, 300), qRgb(0, 0, 0));
        QCOMPARE(img.pixel(212, 300), qRgb(255, 255, 255));
        // The frame, the margin and the ring's dotted line lie on the enlarged
        // layout's pixels; the numbers are drawn at the finer density.
        const QImage enlarged = Enlarged(AtRatioOne(m));
        const QRect number(212, 240, 136, 60);
        QVERIFY(img.copy(number) != enlarged.copy(number));
        QCOMPARE(img.copy(0, 0, 560, 70), enlarged.copy(0, 0, 560, 70));
        for (int y : {70, 71}) {
            QCOMPARE(img.pixel(70, y), qRgb(192, 192, 192));
        }
        for (int x = 72; x < 200; ++x) {
            QCOMPARE(img.pixel(x, 72), qRgb(255, 255, 255)); // the line is two pixels thick
        }
    }

    void readoutAndPicturesStayInLayoutPixels() {
        QScrollArea box;
        LayoutPane pane(&box);
        pane.SetLimits(ImageLimits{32, int64_t{1} << 40});
        Shown m;
        QVERIFY(pane.Create(m.s, m.g));
        pane.Paint(m.s, m.f, m.g);
        QCOMPARE(pane.Picture(), AtRatioOne(m));
        const QImage before = pane.Image()->copy();
        // The pointer over the block's centre, in layout pixels.
        const auto r = pane.Move(m.s, m.g, 140, 140);
        QVERIFY(r.has_value());
        QCOMPARE(r->Index, 0);
        QCOMPARE(pane.Image()->pixel(300, 300), qRgb(255, 255, 0));
        // The saved picture holds the highlight too, as drawn at one to one.
        QImage highlighted = AtRatioOne(m);
        DrawHighlight(highlighted, HighlightRect(pane.Geometry(), m.g.GridCols, 0));
        QCOMPARE(pane.Picture(), highlighted);
        // The highlight drawn again over the same cell gives back the image.
        DrawHighlight(*const_cast<QImage*>(pane.Image()),
                      HighlightRect(pane.Geometry(), m.g.GridCols, 0));
        QVERIFY(*pane.Image() == before);
    }

    void hugeLayoutsStayAtOnePixelPerLayoutPixel() {
        QScrollArea box;
        LayoutPane pane(&box);
        pane.SetLimits(ImageLimits{32, int64_t{1} << 40});
        Shown m;
        m.g = MakeGrid(m.s, WestSec, NorthSec, 50, 50, {});
        QVERIFY(pane.Create(m.s, m.g)); // 3,710 pixels square at zoom 70
        QCOMPARE(pane.Image()->devicePixelRatio(), 1.0);
        // Small in pixels, but too many cells to draw through the painter.
        m.s.SheetPixelHeight = 5;
        m.g = MakeGrid(m.s, WestSec, NorthSec, 150, 150, {});
        QVERIFY(pane.Create(m.s, m.g));
        QCOMPARE(pane.Image()->devicePixelRatio(), 1.0);
        m.g = MakeGrid(m.s, WestSec, NorthSec, 100, 100, {});
        QVERIFY(pane.Create(m.s, m.g));
        QCOMPARE(pane.Image()->devicePixelRatio(), 2.0);
    }
};

int main(int argc, char** argv) {
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    LayoutPixelRatioTest t;
    return QTest::qExec(&t, argc, argv);
}
#include "LayoutPixelRatioTest.moc"

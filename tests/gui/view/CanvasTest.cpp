// The layout on screen as a canvas: the wheel zooms at the pointer by 1.25 a
// notch and the buttons go on in steps of 5 from there, Shift and Alt keep
// the wheel for scrolling, a drag and the keys pan and zoom, "Fit to Screen" shows a grid larger
// than the window whole, the readout and the highlight follow the pointer at any scale, and drawing
// never changes the model.

#include "../dialogs/MessageCatcher.h"

#include "HeldComputations.h"
#include "WindowFixture.h"
#include "view/LayoutDriver.h"
#include "view/LayoutImageView.h"
#include "view/LayoutPane.h"
#include "view/MainForm.h"

#include <QScrollArea>
#include <QScrollBar>
#include <QtTest>

#include <cmath>

namespace sw::gui {

class CanvasTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TMainForm> form;

    QScrollArea* Scroll() const {
        return form->findChild<QScrollArea*>(QStringLiteral("ScrollBox1"));
    }
    LayoutImageView* View() const {
        return form->findChild<LayoutImageView*>(QStringLiteral("LayoutImage"));
    }

    static Feature Line(int latFrom, int lonFrom, int latTo, int lonTo) {
        std::vector<VertexRec> v{{DmsAngle{latFrom, 0, 10}, DmsAngle{lonFrom, 0, 10}},
                                 {DmsAngle{latTo, 0, 10}, DmsAngle{lonTo, 0, 10}}};
        return MakeVertexFeature(v, false);
    }

    // A line of 2 by 4 degrees at open 1:2000 (some 400 x 200 sheets), fitted:
    // larger than the window at the smallest zoom, so shown reduced.
    void EnterReducedLine() {
        form->ComboBox2Change(1);
        form->ComboBox1Change(5); // 1:2000
        form->State().settings.DataType = DataKind::Polyline;
        form->AcceptFeature(Line(20, 74, 22, 78), true, true);
        QVERIFY(form->WaitForComputation());
        QVERIFY(form->LayoutDrawn());
    }

    // A line of 4 by 6 degrees at the standard zoom, scrolled to its middle.
    void EnterScrolledLine() {
        form->State().settings.DataType = DataKind::Polyline;
        form->AcceptFeature(Line(20, 74, 24, 80), false, true);
        QVERIFY(form->WaitForComputation());
        QScrollBar* h = Scroll()->horizontalScrollBar();
        QScrollBar* v = Scroll()->verticalScrollBar();
        h->setValue(h->maximum() / 2);
        v->setValue(v->maximum() / 2);
    }

    // A click at viewport position `at`, and what it starts.
    void ClickAt(Qt::MouseButton button, QPoint at) {
        QTest::mouseClick(View(), button, {}, View()->mapFrom(Scroll()->viewport(), at));
        QCoreApplication::processEvents();
    }

    // The viewport position of the layout pixel `p`, and back.
    QPoint OnScreen(QPointF p) const {
        return View()->mapTo(Scroll()->viewport(), View()->ToWidget(p));
    }
    QPointF UnderScreen(QPoint viewportPos) const {
        return View()->ToLayout(QPointF(View()->mapFrom(Scroll()->viewport(), viewportPos)));
    }
    // The centre of block cell (row, col), in layout pixels.
    QPointF CellCentre(int row, int col) const {
        const LayoutGeometry& g = form->Geometry();
        return QPointF(g.GridOriginX + col * g.CellWidth + g.CellWidth / 2.0,
                       g.GridOriginY + row * g.CellHeight + g.CellHeight / 2.0);
    }
    QString SheetAt(QPointF layout) {
        form->Image1MouseMove(static_cast<int>(layout.x()), static_cast<int>(layout.y()));
        return form->PanelText(0);
    }

    void SendMouse(QEvent::Type type, QPoint widgetPos, Qt::MouseButton button,
                   Qt::MouseButtons buttons) {
        QMouseEvent e(type, QPointF(widgetPos), QPointF(View()->mapToGlobal(widgetPos)), button,
                      buttons, Qt::NoModifier);
        QCoreApplication::sendEvent(View(), &e);
    }

    // Pixels of the frame on screen that differ from the same place of the
    // layout picture, -1 without a frame. Only the feature's red line may land
    // a pixel off, where the frame's edge cuts it (the toolkit clips a line
    // before it steps along it); cells, numbers, fills and labels are exact.
    int FrameDifferences(const QImage& picture) const {
        View()->repaint();
        const QRect r = View()->FrameRect();
        const QImage shown = View()->Frame();
        if (r.isEmpty() || shown.size() != r.size()) {
            return -1;
        }
        const QImage whole = picture.copy(r);
        int others = 0;
        const QRgb red = qRgb(255, 0, 0);
        for (int y = 0; y < shown.height(); ++y) {
            for (int x = 0; x < shown.width(); ++x) {
                const QRgb p = shown.pixel(x, y);
                const QRgb q = whole.pixel(x, y);
                others += p != q && p != red && q != red ? 1 : 0;
            }
        }
        return others;
    }

    void SendWheel(QPoint viewportPos, QPoint angle, Qt::KeyboardModifiers modifiers) {
        const QPoint at = View()->mapFrom(Scroll()->viewport(), viewportPos);
        QWheelEvent wheel(QPointF(at), QPointF(View()->mapToGlobal(at)), QPoint(), angle,
                          Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(View(), &wheel);
        QCoreApplication::processEvents();
    }

private slots:
    void init() {
        form = test::ShowMainForm();
        QVERIFY(form != nullptr);
    }
    void cleanup() { form.reset(); }

    // At the standard look the screen's frames hold the layout image's very
    // pixels, wherever the window's edges cut through cells and numbers.
    void framesHoldThePicturesPixels() {
        form->ComboBox1Change(4); // 1:25,000: 22 x 16 sheets
        form->State().settings.DataType = DataKind::Polygon;
        std::vector<VertexRec> ring{{DmsAngle{20, 10, 0}, DmsAngle{74, 10, 0}},
                                    {DmsAngle{21, 50, 0}, DmsAngle{74, 40, 0}},
                                    {DmsAngle{21, 20, 0}, DmsAngle{76, 50, 0}},
                                    {DmsAngle{20, 10, 0}, DmsAngle{74, 10, 0}}};
        form->AcceptFeature(MakeVertexFeature(ring, true), false, true);
        QVERIFY(form->WaitForComputation());
        for (int zoom : {70, 45}) {
            while (form->State().settings.SheetPixelHeight > zoom) {
                form->ZoomoutBtnClick();
            }
            const QImage picture = form->LayoutImage()->copy();
            QVERIFY(View()->width() > Scroll()->viewport()->width()); // frames are parts
            for (int step : {0, 1, 2}) {
                Scroll()->horizontalScrollBar()->setValue(137 * step);
                Scroll()->verticalScrollBar()->setValue(91 * step);
                QVERIFY2(FrameDifferences(picture) == 0,
                         qPrintable(QStringLiteral("zoom %1, step %2").arg(zoom).arg(step)));
            }
        }
    }

    // Fit shows the whole grid without scroll bars, its IN cells as fills;
    // the picture keeps the layout image at its zoom.
    void fitShowsTheWholeOfALargeGrid() {
        test::MessageCatcher catcher;
        EnterReducedLine();
        QCOMPARE(form->State().settings.SheetPixelHeight, MinSheetPixelHeight);
        QVERIFY(form->Layout().Scale() < 1.0);
        QVERIFY(View()->width() <= Scroll()->viewport()->width());
        QVERIFY(View()->height() <= Scroll()->viewport()->height());
        QCOMPARE(Scroll()->horizontalScrollBar()->maximum(), 0);
        QCOMPARE(Scroll()->verticalScrollBar()->maximum(), 0);
        View()->repaint();
        const QImage& frame = View()->Frame();
        QVERIFY(!frame.isNull());
        bool blue = false;
        for (int y = 0; y < frame.height() && !blue; ++y) {
            for (int x = 0; x < frame.width() && !blue; ++x) {
                blue = frame.pixel(x, y) == qRgb(0, 0, 255);
            }
        }
        QVERIFY(blue);
        QCOMPARE(form->LayoutImage()->width(),
                 static_cast<int>(form->Geometry().ImageWidth)); // zoom 5, whole
        QCOMPARE(catcher.boxes.size(), std::size_t{0});
    }

    // Ctrl and the wheel keep the sheet under the pointer where it was, in
    // the reduced view and through the zoom steps, wherever the layout is
    // larger than the window (a smaller one stays centred).
    void wheelZoomKeepsThePlaceUnderThePointer() {
        EnterReducedLine();
        const double fitted = form->Layout().Scale();
        const QSize room = Scroll()->viewport()->size();
        const QPoint centre(room.width() / 2, room.height() / 2);
        auto larger = [&] {
            return View()->width() > room.width() && View()->height() > room.height();
        };
        for (int i = 0; i < 10 && !larger(); ++i) {
            form->WheelAt(1, UnderScreen(centre).toPoint());
        }
        QVERIFY(larger());
        QVERIFY(form->Layout().Scale() < 1.0);
        const QPoint screen(room.width() / 3, room.height() / 3);
        const QString sheet = SheetAt(UnderScreen(screen));
        QVERIFY(sheet.contains(QLatin1String("Lat:")));
        for (int notch = 0; notch < 6; ++notch) {
            const QPoint at = View()->mapFrom(Scroll()->viewport(), screen);
            QWheelEvent wheel(QPointF(at), QPointF(View()->mapToGlobal(at)), QPoint(),
                              QPoint(0, 120), Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase,
                              false);
            QCoreApplication::sendEvent(View(), &wheel);
            QCoreApplication::processEvents();
            QCOMPARE(SheetAt(UnderScreen(screen)), sheet);
        }
        QVERIFY(form->State().settings.SheetPixelHeight > MinSheetPixelHeight);
        // And back out, past the smallest zoom into the reduced view again.
        while (form->Layout().Scale() >= 1.0 || larger()) {
            const double scale = form->Layout().Scale();
            const int32_t zoom = form->State().settings.SheetPixelHeight;
            form->WheelAt(-1, UnderScreen(screen).toPoint());
            if (larger()) {
                QCOMPARE(SheetAt(UnderScreen(screen)), sheet);
            }
            QVERIFY(form->Layout().Scale() != scale ||
                    form->State().settings.SheetPixelHeight != zoom);
        }
        // Down to the whole layout, and no further.
        for (int i = 0; i < 20; ++i) {
            form->WheelAt(-1, UnderScreen(centre).toPoint());
        }
        QCOMPARE(form->Layout().Scale(), fitted);
    }

    // A drag pans and does not zoom; a click without moving still zooms.
    void dragPansAndClickZooms() {
        EnterScrolledLine();
        QScrollBar* h = Scroll()->horizontalScrollBar();
        QScrollBar* v = Scroll()->verticalScrollBar();
        const int h0 = h->value();
        const int v0 = v->value();
        const QPoint from = View()->mapFrom(Scroll()->viewport(), QPoint(200, 200));
        SendMouse(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
        SendMouse(QEvent::MouseMove, from - QPoint(30, 20), Qt::NoButton, Qt::LeftButton);
        // The widget moved under the pointer: the same screen place is further on.
        SendMouse(QEvent::MouseMove, from - QPoint(60, 40) + QPoint(30, 20), Qt::NoButton,
                  Qt::LeftButton);
        SendMouse(QEvent::MouseButtonRelease, from - QPoint(30, 20), Qt::LeftButton, Qt::NoButton);
        QCoreApplication::processEvents();
        QCOMPARE(h->value(), h0 + 60);
        QCOMPARE(v->value(), v0 + 40);
        QCOMPARE(form->State().settings.SheetPixelHeight, 70);
        ClickAt(Qt::LeftButton, QPoint(200, 200));
        QCOMPARE(form->State().settings.SheetPixelHeight, 75);
    }

    // The arrows pan, + and - zoom at the window's centre.
    void keysPanAndZoom() {
        EnterScrolledLine();
        QScrollBar* h = Scroll()->horizontalScrollBar();
        QScrollBar* v = Scroll()->verticalScrollBar();
        const int h0 = h->value();
        const int v0 = v->value();
        QTest::keyClick(View(), Qt::Key_Right);
        QVERIFY(h->value() > h0);
        QTest::keyClick(View(), Qt::Key_Down);
        QVERIFY(v->value() > v0);
        QTest::keyClick(View(), Qt::Key_Left);
        QCOMPARE(h->value(), h0);
        const QPoint centre(Scroll()->viewport()->width() / 2, Scroll()->viewport()->height() / 2);
        const QString sheet = SheetAt(UnderScreen(centre));
        QTest::keyClick(View(), Qt::Key_Plus);
        QCOMPARE(form->State().settings.SheetPixelHeight, 88); // as a wheel notch
        QCOMPARE(SheetAt(UnderScreen(centre)), sheet);
        QTest::keyClick(View(), Qt::Key_Minus);
        QCOMPARE(form->State().settings.SheetPixelHeight, 70);
    }

    // In the reduced view the widget's pointer reads the cell, the ring and
    // the margin as at the standard zoom; the highlight follows it.
    void readoutAndHighlightInTheReducedView() {
        EnterReducedLine();
        const double scale = form->Layout().Scale();
        QVERIFY(scale < 1.0);
        const LayoutGeometry& g = form->Geometry();
        const QImage plain = form->LayoutImage()->copy();
        auto moveTo = [&](QPointF layout) {
            SendMouse(QEvent::MouseMove, View()->ToWidget(layout), Qt::NoButton, Qt::NoButton);
        };
        // A block cell: its number, its place and the highlight.
        moveTo(CellCentre(3, 5));
        const int32_t index = 3 * form->State().grid.GridCols + 5;
        QVERIFY2(form->PanelText(1).startsWith(QStringLiteral(" %1/").arg(index + 1)),
                 qPrintable(form->PanelText(1)));
        QCOMPARE(form->HighlightIndex(), index);
        // The ring: a neighbour.
        moveTo(QPointF(g.GridOriginX - g.CellWidth / 2.0, g.GridOriginY + g.CellHeight * 2.5));
        QCOMPARE(form->PanelText(1), QString::fromLatin1(NeighbourSheetText));
        QVERIFY(!form->PanelText(0).isEmpty());
        // The margin: nothing at all.
        moveTo(QPointF(2, 2));
        QCOMPARE(form->PanelText(0), QString());
        QCOMPARE(form->PanelText(1), QString());
        QCOMPARE(form->PanelText(2), QString());
        // The picture holds the highlight of the last cell (not-xor: whatever
        // lay there changes).
        const HighlightBox b = HighlightRect(g, form->State().grid.GridCols, index);
        QVERIFY(form->LayoutImage()->pixel(b.Left, b.Top) != plain.pixel(b.Left, b.Top));
    }

    // "Find sheet" draws its sheet, and the highlight works at other zooms.
    void findSheetHighlightsAtAnyZoom() {
        form->FindSheet(QStringLiteral("53H/2"));
        QVERIFY(form->WaitForComputation());
        QTRY_VERIFY(form->LayoutDrawn());
        for (int zoom : {70, 35, 140}) {
            while (form->State().settings.SheetPixelHeight > zoom) {
                form->ZoomoutBtnClick();
            }
            while (form->State().settings.SheetPixelHeight < zoom) {
                form->ZoominBtnClick();
            }
            QCOMPARE(form->State().settings.SheetPixelHeight, zoom);
            const LayoutGeometry& g = form->Geometry();
            form->Image1MouseMove(g.GridOriginX + g.CellWidth / 2,
                                  g.GridOriginY + g.CellHeight / 2);
            QCOMPARE(form->HighlightIndex(), 0);
            QVERIFY(form->PanelText(0).startsWith(QStringLiteral(" 53H/2 ")));
            const HighlightBox b = HighlightRect(g, 1, 0);
            QCOMPARE(form->LayoutImage()->pixel(b.Left + 3, b.Top + 3), qRgb(255, 255, 0));
        }
    }

    // The screen draws the highlight over its own frame of the layout; at one
    // to one it is the picture's highlight, pixel for pixel, edges included.
    void screenHighlightIsThePictures() {
        form->FindSheet(QStringLiteral("53H/2"));
        QVERIFY(form->WaitForComputation());
        QTRY_VERIFY(form->LayoutDrawn());
        QCOMPARE(View()->Scale(), 1.0);
        const LayoutGeometry& g = form->Geometry();
        form->Image1MouseMove(g.GridOriginX + g.CellWidth / 2, g.GridOriginY + g.CellHeight / 2);
        QCOMPARE(form->HighlightIndex(), 0);
        const HighlightBox b = HighlightRect(g, 1, 0);
        const QImage screen = View()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QImage& picture = *form->LayoutImage();
        QCOMPARE(screen.size(), picture.size());
        const QRect around =
            QRect(b.Left - 2, b.Top - 2, b.Right - b.Left + 4, b.Bottom - b.Top + 4);
        QCOMPARE(screen.copy(around), picture.copy(around));
        QCOMPARE(screen.pixel(b.Left, b.Top), picture.pixel(b.Left, b.Top));
        QVERIFY(screen.pixel(b.Left + 3, b.Top + 3) == qRgb(255, 255, 0));
    }

    // A plain notch of the wheel scales the layout by 1.25 (or back) around
    // the pointer at the standard zoom and at zooms that are no step of 5:
    // the sheet under the pointer stays under it, only the drawing changes
    // and no computation starts; a touchpad's fractions add up to a notch.
    void wheelNotchScalesAroundThePointer() {
        EnterScrolledLine();
        const SheetGrid grid = form->State().grid;
        const test::HeldComputations held; // a computation started would not end
        const QPoint screen(Scroll()->viewport()->width() / 3, Scroll()->viewport()->height() / 2);
        const QString sheet = SheetAt(UnderScreen(screen));
        QVERIFY(sheet.contains(QLatin1String("Lat:")));
        struct Notch {
            int angle;
            int32_t zoom;
        };
        for (const Notch n :
             {Notch{120, 88}, Notch{120, 110}, Notch{-120, 88}, Notch{-120, 70}, Notch{-120, 56}}) {
            const double cell = form->Geometry().CellHeight;
            SendWheel(screen, QPoint(0, n.angle), Qt::NoModifier);
            QCOMPARE(form->State().settings.SheetPixelHeight, n.zoom);
            const double ratio = form->Geometry().CellHeight / cell;
            QVERIFY2(std::abs((n.angle > 0 ? ratio : 1.0 / ratio) - 1.25) < 0.05,
                     qPrintable(QString::number(ratio)));
            QCOMPARE(SheetAt(UnderScreen(screen)), sheet);
            QVERIFY(!form->Computing());
        }
        // Half notches: nothing, then one notch in.
        SendWheel(screen, QPoint(0, 60), Qt::NoModifier);
        QCOMPARE(form->State().settings.SheetPixelHeight, 56);
        SendWheel(screen, QPoint(0, 60), Qt::NoModifier);
        QCOMPARE(form->State().settings.SheetPixelHeight, 70);
        QCOMPARE(SheetAt(UnderScreen(screen)), sheet);
        QVERIFY(form->State().grid.SheetList == grid.SheetList);
        QCOMPARE(form->State().grid.InSheetCount, grid.InSheetCount);
    }

    // The zoom's bounds hold for the wheel, a pixel at least a notch near the
    // smallest zoom.
    void wheelZoomSteps() {
        QCOMPARE(WheelZoomTarget(70, 1), 88);
        QCOMPARE(WheelZoomTarget(70, -1), 56);
        QCOMPARE(WheelZoomTarget(70, 2), 110);
        QCOMPARE(WheelZoomTarget(87, 1), 109);
        QCOMPARE(WheelZoomTarget(6, -1), MinSheetPixelHeight);
        QCOMPARE(WheelZoomTarget(MinSheetPixelHeight, 1), 6);
        QCOMPARE(WheelZoomTarget(7, -1), 6);
        QCOMPARE(WheelZoomTarget(130, 1), MaxSheetPixelHeight);
        QCOMPARE(WheelZoomTarget(MinSheetPixelHeight, -3), MinSheetPixelHeight);
    }

    // Shift and the wheel scroll sideways, Alt and the wheel scroll; neither
    // zooms.
    void shiftAndAltWheelScroll() {
        EnterScrolledLine();
        QScrollBar* h = Scroll()->horizontalScrollBar();
        QScrollBar* v = Scroll()->verticalScrollBar();
        const QPoint at(200, 200);
        const int h0 = h->value();
        const int v0 = v->value();
        SendWheel(at, QPoint(0, -120), Qt::ShiftModifier);
        QVERIFY(h->value() > h0);
        QCOMPARE(v->value(), v0);
        SendWheel(at, QPoint(0, 120), Qt::ShiftModifier);
        QCOMPARE(h->value(), h0);
        SendWheel(at, QPoint(0, -120), Qt::AltModifier);
        QVERIFY(v->value() > v0);
        QCOMPARE(h->value(), h0);
        QCOMPARE(form->State().settings.SheetPixelHeight, 70);
    }

    // From a wheel's zoom the buttons and clicks go on in steps of 5.
    void buttonsStepByFiveFromAWheelZoom() {
        EnterScrolledLine();
        SendWheel(QPoint(200, 200), QPoint(0, 120), Qt::NoModifier);
        QCOMPARE(form->State().settings.SheetPixelHeight, 88);
        form->ZoominBtnClick();
        QCOMPARE(form->State().settings.SheetPixelHeight, 93);
        form->ZoomoutBtnClick();
        form->ZoomoutBtnClick();
        QCOMPARE(form->State().settings.SheetPixelHeight, 83);
        ClickAt(Qt::RightButton, QPoint(200, 200));
        QCOMPARE(form->State().settings.SheetPixelHeight, 78);
    }

    // At wheel zooms the frames hold the picture's pixels, and the readout,
    // the ring, the margin and Find sheet's highlight are right.
    void readoutAndFindSheetAtWheelZooms() {
        form->FindSheet(QStringLiteral("53H/2"));
        QVERIFY(form->WaitForComputation());
        QTRY_VERIFY(form->LayoutDrawn());
        struct Notch {
            int steps;
            int32_t zoom;
        };
        for (const Notch n : {Notch{1, 88}, Notch{1, 110}, Notch{1, 138}, Notch{-2, 88}}) {
            const LayoutGeometry& before = form->Geometry();
            form->WheelAt(n.steps, QPoint(before.GridOriginX + before.CellWidth / 2,
                                          before.GridOriginY + before.CellHeight / 2));
            QCOMPARE(form->State().settings.SheetPixelHeight, n.zoom);
            const LayoutGeometry& g = form->Geometry();
            QCOMPARE(FrameDifferences(form->LayoutImage()->copy()), 0);
            form->Image1MouseMove(g.GridOriginX + g.CellWidth / 2,
                                  g.GridOriginY + g.CellHeight / 2);
            QCOMPARE(form->HighlightIndex(), 0);
            QVERIFY(form->PanelText(0).startsWith(QStringLiteral(" 53H/2 ")));
            const HighlightBox b = HighlightRect(g, 1, 0);
            QCOMPARE(form->LayoutImage()->pixel(b.Left + 3, b.Top + 3), qRgb(255, 255, 0));
            form->Image1MouseMove(g.GridOriginX - g.CellWidth / 2,
                                  g.GridOriginY + g.CellHeight / 2);
            QCOMPARE(form->PanelText(1), QString::fromLatin1(NeighbourSheetText));
            form->Image1MouseMove(1, 1);
            QCOMPARE(form->PanelText(0), QString());
        }
    }

    // Zooming, fitting, panning, reading out and taking the picture leave the
    // session's model as the computation left it; each new layout is planned
    // once, and nothing else plans.
    void drawingLeavesTheModelAsItWas() {
        form->State().settings.DataType = DataKind::Polyline;
        form->AcceptFeature(Line(20, 74, 22, 78), false, true);
        QVERIFY(form->WaitForComputation());
        const SheetGrid grid = form->State().grid;
        const Feature feature = form->State().feature;
        const int plans = form->Layout().Plans();
        form->ZoominBtnClick();
        QCOMPARE(form->Layout().Plans(), plans + 1);
        for (int i = 0; i < 5; ++i) {
            form->Image1MouseMove(150 + 40 * i, 150 + 30 * i);
        }
        Scroll()->horizontalScrollBar()->setValue(300);
        View()->repaint();
        QVERIFY(form->LayoutImage() != nullptr);
        QCOMPARE(form->Layout().Plans(), plans + 1);
        form->SpeedButton4Click();
        form->WheelAt(-1, QPoint(200, 200));
        QVERIFY(form->LayoutImage() != nullptr);
        const SheetGrid& now = form->State().grid;
        QVERIFY(now.SheetList == grid.SheetList);
        QCOMPARE(now.GridOriginX, grid.GridOriginX);
        QCOMPARE(now.GridOriginY, grid.GridOriginY);
        QCOMPARE(now.InSheetCount, grid.InSheetCount);
        QVERIFY(form->State().feature.FeaturePoints == feature.FeaturePoints);
    }
};

} // namespace sw::gui

QTEST_MAIN(sw::gui::CanvasTest)
#include "CanvasTest.moc"

// Large features in the window: fitting never loses the layout, a zoom lowered
// for one feature is not inherited by the next, a zoom at the pointer keeps
// what was under it in view, and long waits say so.

#include "../../coverage/NearLinesPolygon.h"
#include "../dialogs/MessageCatcher.h"

#include "WindowFixture.h"
#include "coverage/Coverage.h"
#include "view/BusyNotice.h"
#include "view/LayoutDriver.h"
#include "view/MainForm.h"

#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>
#include <QtTest>

namespace sw::gui {

class LargeLayoutTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TMainForm> form;

    // A bitmap limit below which only zooms of 15 and less give this grid an image.
    static ImageLimits LimitFor(const Settings& s, const SheetGrid& g, int32_t zoom) {
        Settings at = s;
        at.SheetPixelHeight = zoom;
        const LayoutGeometry geo = PlanLayout(at, g.GridCols, g.GridRows);
        return ImageLimits{32, geo.ImageWidth * geo.ImageHeight * 32 + 1};
    }

    Feature Line(int latFrom, int lonFrom, int latTo, int lonTo) {
        std::vector<VertexRec> v{{DmsAngle{latFrom, 0, 10}, DmsAngle{lonFrom, 0, 10}},
                                 {DmsAngle{latTo, 0, 10}, DmsAngle{lonTo, 0, 10}}};
        return MakeVertexFeature(v, false);
    }

    static std::vector<std::string> InList(const SheetGrid& g) {
        std::vector<std::string> out;
        for (const SheetRec& r : g.SheetList) {
            if (r.InFlag == 1) {
                out.push_back(r.SheetNo.str());
            }
        }
        return out;
    }

    // The command line's list at its default zoom.
    static std::vector<std::string> CliList(int32_t openScale, Feature f) {
        SheetGrid g;
        ComputeSheets(SettingsAt(Series::OpenSeries, openScale), f, g, {});
        return InList(g);
    }

    QScrollArea* Scroll() const {
        return form->findChild<QScrollArea*>(QStringLiteral("ScrollBox1"));
    }

private slots:
    void init() {
        form = test::ShowMainForm();
        QVERIFY(form != nullptr);
    }
    void cleanup() { form.reset(); }

    // A line of 4 by 12 degrees at 1:25,000: 96 x 32 sheets, far wider than the
    // window at any zoom down to 15. With a bitmap limit that only zoom 15
    // meets (beyond the ten attempts from 70), the vertex dialog's fit still
    // shows it; "Fit to Screen" in a tiny window stops at zoom 5 and shows
    // the layout reduced, whole; no message is ever shown; the next point
    // starts at 70.
    void fitNeverLosesTheLayout() {
        test::MessageCatcher catcher;
        form->ComboBox1Change(4); // 1:25,000
        Feature line = Line(20, 74, 24, 86);
        {
            // Plan the grid to set a limit for it.
            Settings s = form->State().settings;
            Feature f = line;
            SheetGrid g;
            ComputeSheets(s, f, g, {});
            form->SetImageLimits(LimitFor(s, g, 15));
        }
        form->State().settings.DataType = DataKind::Polyline;
        form->AcceptFeature(line, true, true);
        QVERIFY(form->WaitForComputation());
        QVERIFY(form->LayoutImage() != nullptr);
        QVERIFY(form->LayoutDrawn());
        // The limit allows 15; the window's width then asks for 10.
        QCOMPARE(form->State().settings.SheetPixelHeight, 10);
        QCOMPARE(form->State().feature.FeatureLoaded, 1);

        form->resize(300, 250);
        QTRY_VERIFY(Scroll()->viewport()->width() < 300);
        form->SpeedButton4Click();
        QCOMPARE(form->State().settings.SheetPixelHeight, 5);
        QVERIFY(form->LayoutImage() != nullptr);
        QVERIFY(form->LayoutDrawn());
        QCOMPARE(form->State().feature.FeatureLoaded, 1);
        // The picture keeps zoom 5; the screen shows the whole grid reduced.
        QVERIFY(form->LayoutImage()->width() > Scroll()->viewport()->width());
        QVERIFY(form->Layout().Scale() < 1.0);
        QCOMPARE(Scroll()->horizontalScrollBar()->maximum(), 0);
        // The fitted layout stays usable.
        form->ZoominBtnClick();
        QCOMPARE(form->State().settings.SheetPixelHeight, 10);
        QVERIFY(form->LayoutDrawn());
        form->ZoomoutBtnClick();
        QCOMPARE(catcher.boxes.size(), std::size_t{0});

        // After the fitted layout the next feature starts at 70, not at 5.
        form->SpeedButton4Click();
        form->State().settings.DataType = DataKind::Point;
        form->AcceptFeature(MakePointFeature(DmsAngle{24, 3, 0}, DmsAngle{72, 3, 0}), false, false);
        QVERIFY(form->WaitForComputation());
        QCOMPARE(form->State().settings.SheetPixelHeight, 70);
        QCOMPARE(catcher.boxes.size(), std::size_t{0});
    }

    // A grid no zoom can show is still refused, with the message, and the next
    // feature starts at 70 again, lowered only as far as it must be.
    void refusedLayoutDoesNotLowerTheNext() {
        test::MessageCatcher catcher;
        form->SetImageLimits(ImageLimits{32, 1000});
        form->AcceptFeature(MakePointFeature(DmsAngle{24, 3, 0}, DmsAngle{72, 3, 0}), false, false);
        QVERIFY(form->WaitForComputation());
        QCOMPARE(catcher.boxes.size(), std::size_t{1});
        QCOMPARE(form->State().settings.SheetPixelHeight, 20);
        // A limit that a one-sheet layout meets at 60 but not at 65.
        Settings s = form->State().settings;
        SheetGrid one;
        one.GridCols = 1;
        one.GridRows = 1;
        form->SetImageLimits(LimitFor(s, one, 60));
        form->AcceptFeature(MakePointFeature(DmsAngle{24, 3, 0}, DmsAngle{72, 3, 0}), false, false);
        QVERIFY(form->WaitForComputation());
        QCOMPARE(form->State().settings.SheetPixelHeight, 60);
        QVERIFY(form->LayoutDrawn());
        QCOMPARE(catcher.boxes.size(), std::size_t{1});
    }

    // A click zooms by one step of 5, the wheel by a fifth and a quarter a
    // notch, with or without Ctrl; both keep the place under the pointer where
    // it was in the window.
    void zoomKeepsThePlaceUnderThePointer() {
        form->State().settings.DataType = DataKind::Polyline;
        form->AcceptFeature(Line(20, 74, 24, 80), false, true);
        QVERIFY(form->WaitForComputation());
        QCOMPARE(form->State().settings.SheetPixelHeight, 70);
        QScrollArea* scroll = Scroll();
        QWidget* view = form->findChild<QWidget*>(QStringLiteral("LayoutImage"));
        QVERIFY(view != nullptr);
        // A sheet to the lower right, brought into view.
        const LayoutGeometry& geo = form->Geometry();
        const QPoint target(geo.GridOriginX + 11 * geo.CellWidth + geo.CellWidth / 3,
                            geo.GridOriginY + 6 * geo.CellHeight + geo.CellHeight / 4);
        scroll->ensureVisible(target.x(), target.y(), 50, 50);
        form->Image1MouseMove(target.x(), target.y());
        const QString sheet = form->PanelText(0);
        const QPoint onScreen = view->mapTo(scroll->viewport(), target);

        auto checkUnderPointer = [&](int zoom) {
            QCOMPARE(form->State().settings.SheetPixelHeight, zoom);
            QWidget* now = form->findChild<QWidget*>(QStringLiteral("LayoutImage"));
            QCoreApplication::processEvents();
            const QPoint image = now->mapFrom(scroll->viewport(), onScreen);
            form->Image1MouseMove(image.x(), image.y());
            QCOMPARE(form->PanelText(0), sheet);
            QVERIFY(qAbs(now->mapTo(scroll->viewport(), image).x() - onScreen.x()) <= 1);
        };

        // The left button: in by 5.
        QTest::mouseClick(view, Qt::LeftButton, {}, target);
        QCoreApplication::processEvents();
        checkUnderPointer(75);

        // Ctrl and the wheel, one notch towards the user: 75 / 1.25.
        view = form->findChild<QWidget*>(QStringLiteral("LayoutImage"));
        const QPoint at = view->mapFrom(scroll->viewport(), onScreen);
        QWheelEvent wheel(at, view->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                          Qt::ControlModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(view, &wheel);
        checkUnderPointer(60);
        // Without Ctrl the wheel zooms as well: 60 / 1.25.
        view = form->findChild<QWidget*>(QStringLiteral("LayoutImage"));
        const QPoint there = view->mapFrom(scroll->viewport(), onScreen);
        QWheelEvent plain(there, view->mapToGlobal(there), QPoint(), QPoint(0, -120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(view, &plain);
        checkUnderPointer(48);
    }

    // The sheets are decided at 70 px a sheet whatever the zoom: a polygon at
    // open 1:2000, fitted to a few pixels a sheet, switched to 1:10,000 and back,
    // lists what the command line lists; only the drawing follows the zoom.
    void sheetListDoesNotFollowTheZoom() {
        test::MessageCatcher catcher;
        form->ComboBox2Change(1);
        form->ComboBox1Change(5); // 1:2000
        const Feature polygon = test::NearLinesPolygon();
        form->State().settings.DataType = DataKind::Polygon;
        form->AcceptFeature(polygon, true, true);
        QVERIFY(form->WaitForComputation());
        const std::vector<std::string> at2000 = CliList(6, polygon);
        QVERIFY(InList(form->State().grid) == at2000);
        const int32_t fitted = form->State().settings.SheetPixelHeight;
        QVERIFY2(fitted <= 10, qPrintable(QString::number(fitted)));

        form->ComboBox1Change(4); // 1:10,000
        QVERIFY(form->WaitForComputation());
        const std::vector<std::string> at10000 = CliList(5, polygon);
        QCOMPARE(InList(form->State().grid).size(), at10000.size());
        QVERIFY(InList(form->State().grid) == at10000);
        {
            // At the fitted zoom the list would have been another.
            Settings low = SettingsAt(Series::OpenSeries, 5);
            low.SheetPixelHeight = fitted;
            Feature f = polygon;
            SheetGrid g;
            ComputeSheets(low, f, g, {});
            QVERIFY(InList(g) != at10000);
        }

        form->ComboBox1Change(5); // back to 1:2000
        QVERIFY(form->WaitForComputation());
        QCOMPARE(InList(form->State().grid).size(), at2000.size());
        QVERIFY(InList(form->State().grid) == at2000);
        QCOMPARE(catcher.boxes.size(), std::size_t{0});
    }

    void findSheetHintFollowsTheSeries() {
        auto* edit = form->findChild<QLineEdit*>(QStringLiteral("FindSheetEdit"));
        const QString old = edit->placeholderText();
        QVERIFY2(old.startsWith(QStringLiteral("e.g. ")) && old.contains(QLatin1Char('/')),
                 qPrintable(old));
        form->ComboBox2Change(1);
        const QString open = edit->placeholderText();
        QVERIFY(open != old);
        form->ComboBox1Change(5); // 1:2000
        QVERIFY(edit->placeholderText() != open);
        // The example is a number "Find sheet" takes.
        form->FindSheet(edit->placeholderText().mid(5));
        QVERIFY(form->WaitForComputation());
        QCOMPARE(form->State().feature.FeatureLoaded, 1);
    }

    // A long wait shows the busy cursor and says what it is doing in the panel;
    // both are restored when it ends.
    void busyNoticeShowsAndRestores() {
        QLabel panel(QStringLiteral("before"));
        {
            const BusyNotice busy(&panel, DrawingLayoutText());
            QCOMPARE(panel.text(), DrawingLayoutText());
            QVERIFY(QGuiApplication::overrideCursor() != nullptr);
            QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        }
        QCOMPARE(panel.text(), QStringLiteral("before"));
        QVERIFY(QGuiApplication::overrideCursor() == nullptr);
        // The rule: large images and grids of many sheets, not everyday ones.
        QVERIFY(!DrawingIsSlow(ImageSize{2000, 2000}, 5000));
        QVERIFY(DrawingIsSlow(ImageSize{5000, 5000}, 0));
        QVERIFY(DrawingIsSlow(ImageSize{500, 500}, 1'000'000));
    }

    // A drawing that runs long shows its percentage in panel 0 under the busy
    // cursor while the commands wait, and Escape stops it: no half-drawn image
    // is left, the feature, its total and "Report" stay, and "Fit to Screen"
    // then draws the layout whole. The drawing is stepped through its hook,
    // with the notice shown from the first row instead of after 0.2 s.
    void escapeStopsALongDrawing() {
        test::MessageCatcher catcher;
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        auto* zoomIn = form->findChild<QToolButton*>(QStringLiteral("ZoominBtn"));
        auto* report = form->findChild<QToolButton*>(QStringLiteral("ReportBtn"));
        PaintProgress& drawing = form->Drawing();
        drawing.SetNoticeDelay(0);
        QStringList shown;
        int steps = 0;
        bool escape = true;
        drawing.SetStepHook([&](int percent) {
            ++steps;
            shown << form->PanelText(0);
            QVERIFY(form->Computing());
            QVERIFY(!zoomIn->isEnabled());
            QVERIFY(QGuiApplication::overrideCursor() != nullptr);
            QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
            // The pointer reads nothing from an image being drawn.
            form->Image1MouseMove(form->Geometry().GridOriginX + 2,
                                  form->Geometry().GridOriginY + 2);
            QCOMPARE(form->HighlightIndex(), -1);
            if (escape && percent >= 50) {
                QTest::keyClick(form.get(), Qt::Key_Escape);
            }
        });
        form->State().settings.DataType = DataKind::Polyline;
        form->AcceptFeature(Line(20, 74, 22, 76), false, true);
        QVERIFY(form->WaitForComputation());

        QVERIFY(steps > 1);
        QVERIFY2(shown.first().startsWith(DrawingLayoutText()) && shown.first().endsWith('%'),
                 qPrintable(shown.first()));
        QVERIFY2(shown.last().startsWith(DrawingLayoutText()), qPrintable(shown.last()));
        QVERIFY(form->LayoutImage() == nullptr);
        QVERIFY(!form->LayoutDrawn());
        QCOMPARE(form->PanelText(0), QString::fromLatin1(DrawingCancelledText));
        QCOMPARE(form->PanelText(1),
                 QStringLiteral("Total Sheets %1").arg(form->State().grid.InSheetCount));
        QVERIFY(form->State().grid.InSheetCount > 0);
        QCOMPARE(form->State().feature.FeatureLoaded, 1);
        QVERIFY(report->isEnabled());
        QVERIFY(!form->Computing());
        QVERIFY(zoomIn->isEnabled());
        QVERIFY(QGuiApplication::overrideCursor() == nullptr);

        // Drawn whole the next time, and the panel gets back its text.
        escape = false;
        form->SetPanelText(0, QStringLiteral("before"));
        form->SpeedButton4Click();
        QVERIFY(form->LayoutImage() != nullptr);
        QVERIFY(form->LayoutDrawn());
        QCOMPARE(shown.last(), DrawingProgressText(100));
        QCOMPARE(form->PanelText(0), QStringLiteral("before"));
        QVERIFY(QGuiApplication::overrideCursor() == nullptr);
        QCOMPARE(catcher.boxes.size(), std::size_t{0});
    }
};

} // namespace sw::gui

QTEST_MAIN(sw::gui::LargeLayoutTest)
#include "LargeLayoutTest.moc"

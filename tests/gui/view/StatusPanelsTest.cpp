// The status bar's panels show their whole text: the pointer goes over every
// kind of place of a layout (touched and untouched sheets, the neighbour ring,
// the margin, the block's edges) in both series at every scale, and every
// panel is wide enough for what it then says.

#include "WindowFixture.h"
#include "coverage/Coverage.h"
#include "view/MainForm.h"

#include <QLabel>
#include <QStatusBar>
#include <QtTest>

namespace sw::gui {

class StatusPanelsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TMainForm> form;
    // Texts met that are wider than their panel's design width.
    int widerThanDesign = 0;

    QLabel* Panel(int i) const {
        return form->findChild<QLabel*>(QStringLiteral("Panel%1").arg(i));
    }

    // Every panel holds its text whole, at least its design width, inside the bar.
    void CheckPanels(const QString& where) {
        const int design[3] = {500, 250, 250};
        const auto* bar = form->findChild<QStatusBar*>(QStringLiteral("StatusBar1"));
        for (int i = 0; i < 3; ++i) {
            QLabel* p = Panel(i);
            const int needed = p->fontMetrics().horizontalAdvance(p->text());
            const QString what = QStringLiteral("%1, panel %2: \"%3\" needs %4, has %5")
                                     .arg(where)
                                     .arg(i)
                                     .arg(p->text())
                                     .arg(needed)
                                     .arg(p->contentsRect().width());
            QVERIFY2(p->contentsRect().width() >= needed, qPrintable(what));
            if (needed > design[i] - (p->width() - p->contentsRect().width())) {
                ++widerThanDesign;
            }
            QVERIFY2(p->width() >= design[i], qPrintable(what));
            QVERIFY2(p->mapTo(bar, QPoint(p->width(), 0)).x() <= bar->width(), qPrintable(what));
        }
    }

    // A line over about two and a half sheets across and one and a half down:
    // a block with touched and untouched sheets.
    void EnterLine() {
        const Settings& s = form->State().settings;
        const int32_t lat = 24 * 3600;
        const int32_t lon = 72 * 3600;
        std::vector<VertexRec> line{
            {SecToDms(lat), SecToDms(lon)},
            {SecToDms(lat + s.SheetHeightSec * 3 / 2), SecToDms(lon + s.SheetWidthSec * 5 / 2)}};
        form->AcceptFeature(MakeVertexFeature(line, false), false, true);
        QVERIFY(form->WaitForComputation());
        QVERIFY(form->LayoutDrawn());
    }

    void HoverEverywhere(const QString& where) {
        const LayoutGeometry& g = form->Geometry();
        const SheetGrid& grid = form->State().grid;
        QList<QPoint> points{{2, 2},
                             {g.GridOriginX - 1, g.GridOriginY},
                             {g.GridOriginX, g.GridOriginY},
                             {g.GridRightX, g.GridBottomY},
                             {g.GridRightX - 1, g.GridBottomY - 1}};
        for (int r = 0; r < grid.GridRows; ++r) {
            for (int c = 0; c < grid.GridCols; ++c) {
                points.append({g.GridOriginX + c * g.CellWidth + g.CellWidth / 2,
                               g.GridOriginY + r * g.CellHeight + g.CellHeight / 2});
            }
        }
        bool in = false;
        bool out = false;
        for (const QPoint& p : points) {
            form->Image1MouseMove(p.x(), p.y());
            in = in || form->PanelText(1).endsWith(QStringLiteral(" IN"));
            out = out || form->PanelText(1).endsWith(QStringLiteral(" OUT"));
            CheckPanels(QStringLiteral("%1 at (%2, %3)").arg(where).arg(p.x()).arg(p.y()));
        }
        QVERIFY2(in && out, qPrintable(where));
    }

private slots:
    void init() {
        form = test::ShowMainForm(QSize(1600, 1000));
        QVERIFY(form != nullptr);
    }
    void cleanup() { form.reset(); }

    void everyKindOfPlaceAtEveryScale() {
        for (int series = 0; series < 2; ++series) {
            form->ComboBox2Change(series);
            QVERIFY(form->WaitForComputation());
            const int scales = series == 0 ? 5 : 6;
            for (int scale = 0; scale < scales; ++scale) {
                form->ComboBox1Change(scale);
                QVERIFY(form->WaitForComputation());
                EnterLine();
                const QString where =
                    QStringLiteral("series %1 scale %2")
                        .arg(series)
                        .arg(QString::fromStdString(form->State().settings.ScaleText));
                CheckPanels(where);
                HoverEverywhere(where);
                // And at another zoom.
                form->ZoomoutBtnClick();
                form->ZoomoutBtnClick();
                HoverEverywhere(where + QStringLiteral(" zoomed out"));
            }
        }
        // The journeys met texts that the design widths cut off.
        QVERIFY(widerThanDesign > 0);
    }

    // A panel keeps its width while the pointer moves, so the panels beside it
    // stay put; new settings let it return to its design width.
    void panelsDoNotJumpAsThePointerMoves() {
        form->SetPanelText(0, QString(80, QLatin1Char('W')));
        const int wide = Panel(0)->width();
        QVERIFY(wide > 500);
        form->SetPanelText(0, QStringLiteral("short"));
        QCOMPARE(Panel(0)->width(), wide);
        form->ComboBox1Change(2);
        QCOMPARE(Panel(0)->width(), 500);
    }
};

} // namespace sw::gui

QTEST_MAIN(sw::gui::StatusPanelsTest)
#include "StatusPanelsTest.moc"

// Journeys as a user takes them through the started application: the point
// entered again and again, a file then a typed point, a report left open while
// the feature changes, a point outside the index.

#include "AppFixture.h"

#include "app/Startup.h"
#include "dialogs/PointInputForm.h"
#include "dialogs/PolyInputForm.h"
#include "dialogs/ReportForm.h"
#include "view/MainForm.h"

#include <QLineEdit>
#include <QTableWidget>
#include <QToolButton>
#include <QtTest>

namespace sw::gui {

class JourneysTest : public test::AppFixture {
    Q_OBJECT

    static QString Data(const char* name) {
        return QString::fromLocal8Bit(qgetenv("SHEETWRIGHT_TEST_DATA")) +
               QStringLiteral("/dialogs/") + QString::fromLatin1(name);
    }
    void TypePoint(int latD, int latM, int lonD, int lonM) {
        const int values[6] = {latD, latM, 0, lonD, lonM, 0};
        for (int i = 0; i < 6; ++i) {
            app->PointInputForm->Field(i + 1)->setText(QString::number(values[i]));
        }
        app->PointInputForm->OKBtnClick();
        QVERIFY(Main().WaitForComputation());
    }

private slots:
    void init() { QVERIFY(StartApp()); }
    void cleanup() { StopApp(); }

    // "Clear", "Sheet No.", Enter in the point dialog: "Report" can be used as
    // soon as the point is drawn, every time, whether or not the window system
    // activates the main window again.
    void pointJourneyFiftyTimes() {
        for (int i = 0; i < 50; ++i) {
            // The tool bar's buttons: the offscreen platform leaves a hidden
            // dialog the active window, which would take the main window's keys.
            Tool("ClearBtn")->click();
            QVERIFY(!Tool("ReportBtn")->isEnabled());
            Tool("PointBtn")->click();
            QVERIFY(app->PointInputForm->isVisible());
            QVERIFY(QTest::qWaitForWindowActive(app->PointInputForm));
            QTest::keyClick(app->PointInputForm, Qt::Key_Return);
            QVERIFY(!app->PointInputForm->isVisible());
            QVERIFY(Main().WaitForComputation());
            QVERIFY2(Tool("ReportBtn")->isEnabled(), qPrintable(QString::number(i)));
            Tool("ReportBtn")->click();
            QVERIFY(app->ReportForm->isVisible());
            QCOMPARE(app->ReportForm->windowTitle(),
                     QStringLiteral("Total Sheets - 1 at scale 1:50,000"));
            app->ReportForm->Close1Click();
        }
        QVERIFY(messages->boxes.empty());
    }

    void captionFollowsTheComputedFeature() {
        app->PolyInputForm->OpenFile(OpenFilter{1}, Data("route.txt"));
        QCOMPARE(Main().windowTitle(), Data("route.txt"));
        Main().TheSession().SetDataType(DataKind::Polyline);
        app->PolyInputForm->BitBtn1Click();
        QVERIFY(Main().WaitForComputation());
        QCOMPARE(Main().windowTitle(), Data("route.txt"));
        // A scale change draws the same file.
        Main().ComboBox1Change(2);
        QVERIFY(Main().WaitForComputation());
        QCOMPARE(Main().windowTitle(), Data("route.txt"));
        // A typed point is nobody's file.
        Main().TheSession().SetDataType(DataKind::Point);
        TypePoint(24, 3, 72, 3);
        QCOMPARE(Main().windowTitle(), QStringLiteral("Sheetwright"));
        QVERIFY(messages->boxes.empty());
    }

    // A report on screen follows each new computation; one that is hidden is
    // built when it is shown, as always.
    void openReportRebuildsOnANewComputation() {
        TypePoint(24, 3, 72, 3);
        Tool("ReportBtn")->click();
        QVERIFY(app->ReportForm->isVisible());
        const QString first = app->ReportForm->Grid()->item(1, 1)->text();
        TypePoint(28, 36, 77, 12);
        const QString second = app->ReportForm->Grid()->item(1, 1)->text();
        QVERIFY(second != first);
        QVERIFY(app->ReportForm->Grid()->item(5, 1)->text().contains(QStringLiteral("28")));
        // A scale change is a new computation as well.
        Main().ComboBox1Change(4); // 1:25,000
        QVERIFY(Main().WaitForComputation());
        QCOMPARE(app->ReportForm->windowTitle(),
                 QStringLiteral("Total Sheets - 1 at scale 1:25,000"));
        QVERIFY(app->ReportForm->Grid()->item(1, 1)->text() != second);
    }

    // A point wholly outside the index is computed as any other, and the status
    // bar says where it is; a point inside says nothing of the kind.
    void pointOutsideTheIndexSaysSo() {
        TypePoint(0, 0, 0, 0);
        QCOMPARE(Main().State().grid.SheetList[0].SheetNo.str(), std::string("#"));
        QVERIFY(Main().LayoutImage() != nullptr);
        QVERIFY2(Main().PanelText(0).contains(QStringLiteral("Outside the index")),
                 qPrintable(Main().PanelText(0)));
        TypePoint(24, 3, 72, 3);
        QVERIFY(!Main().PanelText(0).contains(QStringLiteral("Outside the index")));
        QVERIFY(messages->boxes.empty());
    }
};

} // namespace sw::gui

QTEST_MAIN(sw::gui::JourneysTest)
#include "JourneysTest.moc"

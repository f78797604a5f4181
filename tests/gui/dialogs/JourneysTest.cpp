// Journeys as a user takes them through the started application: the point
// entered again and again, a file then a typed point, a report left open while
// the feature changes, a point outside the index.

#include "AppFixture.h"

#include "app/Startup.h"
#include "coverage/Coverage.h"
#include "dialogs/PointInputForm.h"
#include "dialogs/PolyInputForm.h"
#include "dialogs/ReportForm.h"
#include "dialogs/SetInputForm.h"
#include "view/MainForm.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
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

    // The window names each data type in the very words of the dialog's item.
    void dataTypeShownInTheDialogsWords() {
        const auto* shown = Main().findChild<QLabel*>(QStringLiteral("DataTypeLabel"));
        const auto items = app->SetInputForm->findChildren<QRadioButton*>();
        QCOMPARE(items.size(), 3);
        for (QRadioButton* const item : items) {
            Tool("SpeedButton1")->click();
            item->setChecked(true);
            app->SetInputForm->findChild<QPushButton*>(QStringLiteral("OKBtn"))->click();
            QCOMPARE(shown->text(), item->text());
        }
    }

    // The data type beside the series box follows the data type dialog's OK
    // (not its Cancel); "Clear" leaves the window naming no file or sheet.
    void dataTypeShownAndClearForgetsTheFile() {
        const auto* shown = Main().findChild<QLabel*>(QStringLiteral("DataTypeLabel"));
        QCOMPARE(shown->text(), QStringLiteral("Point/Location"));
        Tool("SpeedButton1")->click();
        QVERIFY(app->SetInputForm->isVisible());
        app->SetInputForm->findChildren<QRadioButton*>().at(2)->setChecked(true); // "Polygon"
        app->SetInputForm->findChild<QPushButton*>(QStringLiteral("OKBtn"))->click();
        QCOMPARE(shown->text(), QStringLiteral("Polygon"));
        Tool("SpeedButton1")->click();
        app->SetInputForm->findChildren<QRadioButton*>().at(1)->setChecked(true);
        app->SetInputForm->findChild<QPushButton*>(QStringLiteral("CancelBtn"))->click();
        QCOMPARE(shown->text(), QStringLiteral("Polygon"));

        app->PolyInputForm->OpenFile(OpenFilter{1}, Data("route.txt"));
        app->PolyInputForm->BitBtn1Click();
        QVERIFY(Main().WaitForComputation());
        QCOMPARE(Main().windowTitle(), Data("route.txt"));
        QCOMPARE(Main().PanelText(0), QString()); // no "Calculating...100% done"
        Main().Image1MouseMove(Main().Geometry().GridOriginX + 2,
                               Main().Geometry().GridOriginY + 2);
        QVERIFY(!Main().PanelText(0).isEmpty());
        Tool("ClearBtn")->click();
        QCOMPARE(Main().windowTitle(), QStringLiteral("Sheetwright"));
        QCOMPARE(Main().PanelText(0), QString());
        QCOMPARE(Main().State().vertexTable.VertexCount, 0);
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
        // The point dialog no longer takes latitude 0: it names the field instead.
        const int before = Main().TheSession().State().grid.SheetCount;
        for (int i = 1; i <= 6; ++i) {
            app->PointInputForm->Field(i)->setText(QStringLiteral("0"));
        }
        app->PointInputForm->OKBtnClick();
        QVERIFY(!Main().Computing());
        QCOMPARE(Main().TheSession().State().grid.SheetCount, before);
        QCOMPARE(messages->boxes.size(), std::size_t{1});
        QVERIFY(messages->LastText().startsWith(QStringLiteral("Latitude degrees must be")));
        messages->boxes.clear();
        Main().AcceptFeature(MakePointFeature(DmsAngle{0, 0, 0}, DmsAngle{0, 0, 0}), false, false);
        QVERIFY(Main().WaitForComputation());
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

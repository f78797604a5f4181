#include "AppFixture.h"

#include "app/CommandLine.h"
#include "app/Startup.h"
#include "dialogs/AboutBox.h"
#include "dialogs/PointInputForm.h"
#include "dialogs/PolyInputForm.h"
#include "dialogs/ReportForm.h"
#include "dialogs/SetInputForm.h"
#include "dialogs/VertexGridView.h"
#include "view/MainForm.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include <filesystem>

namespace sw::gui {

// The application started as main() starts it, and driven end to end.
class StartupTest : public test::AppFixture {
    Q_OBJECT

    static QList<QWidget*> VisibleWindows() {
        QList<QWidget*> shown;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->isVisible()) {
                shown << w;
            }
        }
        return shown;
    }

private slots:
    void init() { QVERIFY(StartApp()); }
    void cleanup() { StopApp(); }

    void allSixWindowsExistAndOnlyTheMainOneIsShown() {
        QCOMPARE(QApplication::applicationName(), QStringLiteral("Sheetwright"));
        QVERIFY(app->AboutBox && app->PointInputForm && app->PolyInputForm && app->ReportForm &&
                app->SetInputForm);
        QCOMPARE(VisibleWindows(), (QList<QWidget*>{app->MainForm.get()}));
        QCOMPARE(app->MainForm->windowTitle(), QStringLiteral("Sheetwright"));
        // The vertex grid is laid out in degrees-minutes-seconds mode before it is shown.
        const VertexTable& t = app->MainForm->State().vertexTable;
        QCOMPARE(t.ColCount(), 7);
        QCOMPARE(t.RowCount(), 7);
        QCOMPARE(t.Cell(6, 1), std::string("Sec."));
        QCOMPARE(app->PolyInputForm->Grid()->columnWidth(6), 40);
        // Created in order, as children of the main window.
        const QObjectList& kids = app->MainForm->children();
        const auto pos = [&](QObject* o) { return kids.indexOf(o); };
        QVERIFY(pos(app->AboutBox) < pos(app->PointInputForm));
        QVERIFY(pos(app->PointInputForm) < pos(app->PolyInputForm));
        QVERIFY(pos(app->PolyInputForm) < pos(app->ReportForm));
        QVERIFY(pos(app->ReportForm) < pos(app->SetInputForm));
    }

    void aMessageFromADialogCarriesTheApplicationTitle() {
        app->MainForm->State().InputFileOpened = true;
        app->PolyInputForm->show();
        app->PolyInputForm->BitBtn1Click();
        QCOMPARE(messages->boxes.size(), std::size_t{1});
        QCOMPARE(messages->boxes[0].title, QStringLiteral("Sheetwright"));
        QCOMPARE(messages->boxes[0].text, QStringLiteral("No vertices to compute"));
    }

    void aboutTwiceLeavesOneAboutBox() {
        Tool("Aboutbtn")->click();
        Tool("Aboutbtn")->click();
        QVERIFY(app->AboutBox->isVisible());
        QCOMPARE(app->MainForm->findChildren<TAboutBox*>().size(), 1);
    }

    void pointEndToEnd() {
        // Data type: Point.
        Tool("SpeedButton1")->click();
        QVERIFY(app->SetInputForm->isVisible());
        app->SetInputForm->findChildren<QRadioButton*>().at(0)->click();
        app->SetInputForm->findChild<QPushButton*>(QStringLiteral("OKBtn"))->click();
        QCOMPARE(app->MainForm->State().settings.DataType, DataKind::Point);

        // "Sheet No." opens the point dialog; type a point and OK.
        Tool("PointBtn")->click();
        TPointInputForm* point = app->PointInputForm;
        QVERIFY(point->isVisible());
        const char* texts[] = {"28", "36", "50", "77", "12", "30"};
        for (int n = 1; n <= 6; ++n) {
            point->Field(n)->setText(QString::fromLatin1(texts[n - 1]));
        }
        point->findChild<QPushButton*>(QStringLiteral("OKBtn"))->click();
        QVERIFY(!point->isVisible());
        QVERIFY(app->MainForm->WaitForComputation());
        QTRY_COMPARE(app->MainForm->PanelText(1), QStringLiteral("Total Sheets 1"));
        QVERIFY(app->MainForm->LayoutImage() != nullptr);
        QTRY_VERIFY(app->MainForm->LayoutDrawn());

        // "Report" follows FeatureLoaded at the next activation of the main window.
        app->MainForm->activateWindow();
        QTRY_VERIFY(Tool("ReportBtn")->isEnabled());
        Tool("ReportBtn")->click();
        TReportForm* report = app->ReportForm;
        QVERIFY(report->isVisible());
        const TextTable& t = report->Table();
        QCOMPARE(t.size(), std::size_t{7});
        QCOMPARE(t[1][0], std::string("1"));
        QCOMPARE(t[1][1], std::string("53H/2"));
        QCOMPARE(t[1][2], std::string("1"));
        QCOMPARE(t[2][1], std::string("TOTAL SHEETS"));
        QCOMPARE(t[2][2], std::string("1"));
        QCOMPARE(report->Grid()->item(5, 1)->text(),
                 QString::fromUtf8("Input POINT 28°36'50\" 77°12'30\""));
        QCOMPARE(report->windowTitle(), QStringLiteral("Total Sheets - 1 at scale 1:50,000"));
        QVERIFY(messages->boxes.empty());
    }

    void polylineFromATextFileEndToEnd() {
        app->MainForm->State().settings.DataType = DataKind::Polyline;
        Tool("PointBtn")->click();
        TPolyInputForm* poly = app->PolyInputForm;
        QVERIFY(poly->isVisible());
        const QString file = QString::fromLocal8Bit(qgetenv("SHEETWRIGHT_TEST_DATA")) +
                             QStringLiteral("/dialogs/route.txt");
        poly->OpenFile(OpenFilter{1}, file);
        QVERIFY2(messages->boxes.empty(), qPrintable(messages->LastText()));
        QCOMPARE(app->MainForm->windowTitle(), file);
        poly->findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
        QVERIFY(!poly->isVisible());
        QVERIFY(app->MainForm->WaitForComputation());
        QTRY_VERIFY(app->MainForm->PanelText(1).startsWith(QStringLiteral("Total Sheets ")));
        QTRY_VERIFY(Tool("ReportBtn")->isEnabled());
        Tool("ReportBtn")->click();
        const TextTable& t = app->ReportForm->Table();
        QVERIFY(t.size() >= 7);
        bool found = false;
        for (const auto& row : t) {
            found = found || row[1] == "Input POLYLINE " + file.toStdString();
        }
        QVERIFY(found);
    }

    void aFileNamedAtStartOpensAsIfDropped() {
        const QString file = QString::fromLocal8Bit(qgetenv("SHEETWRIGHT_TEST_DATA")) +
                             QStringLiteral("/dialogs/route.txt");
        OpenStartFile(*app, file);
        QVERIFY(!app->PolyInputForm->isVisible()); // once the event loop runs
        QTRY_VERIFY(app->PolyInputForm->isVisible());
        QCOMPARE(app->MainForm->PanelText(0), QStringLiteral("Opened route.txt as a polyline"));
        QCOMPARE(app->MainForm->State().settings.DataType, DataKind::Polyline);
        QVERIFY2(messages->boxes.empty(), qPrintable(messages->LastText()));

        // A file no reader takes is refused in the status bar and opens nothing.
        app->PolyInputForm->hide();
        OpenStartFile(*app, QStringLiteral("notes.docx"));
        QTRY_VERIFY(app->MainForm->PanelText(0).contains(QStringLiteral(".txt")));
        QVERIFY(!app->PolyInputForm->isVisible());
    }

    // A name in other scripts, given as a path, is the same bytes in the caption
    // and in what the computed feature says it was read from.
    void aNamedFileKeepsItsNameThroughOpenAndCompute() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const std::filesystem::path file = std::filesystem::path(dir.path().toStdString()) /
                                           "Stra\xc3\x9f"
                                           "e \xe6\x9d\xb1\xe4\xba\xac.txt";
        std::filesystem::copy_file(
            std::filesystem::path(qgetenv("SHEETWRIGHT_TEST_DATA").toStdString()) /
                "dialogs/route.txt",
            file);
        OpenStartFile(*app, file);
        QTRY_VERIFY(app->PolyInputForm->isVisible());
        QCOMPARE(app->MainForm->windowTitle(), QString::fromUtf8(file.c_str()));
        app->PolyInputForm->findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
        QVERIFY(app->MainForm->WaitForComputation());
        QVERIFY2(messages->boxes.empty(), qPrintable(messages->LastText()));
        QCOMPARE(app->MainForm->TheSession().FeatureSource().native(), file.native());
        QCOMPARE(app->MainForm->windowTitle(), QString::fromUtf8(file.c_str()));
    }

    void commandLineHelpVersionFileAndMistakes() {
        using A = AppCommandLine::Action;
        const auto run = ParseAppCommandLine({"route.txt"}, true);
        QCOMPARE(run.action, A::Run);
        QCOMPARE(run.file, std::string("route.txt"));
        QCOMPARE(ParseAppCommandLine({"--help"}, false).action, A::Help);
        QVERIFY(ParseAppCommandLine({"-h"}, true).message.rfind("Usage: sheetwright", 0) == 0);
        QCOMPARE(ParseAppCommandLine({"x.kml", "--version"}, true).action, A::Version);
        // Before the toolkit has taken its options, they are not mistakes.
        QCOMPARE(ParseAppCommandLine({"-platform", "offscreen"}, false).action, A::Run);
        QCOMPARE(ParseAppCommandLine({"--style", "fusion", "-reverse", "a.kml"}, false).action,
                 A::Run);
        // Ours are refused before the toolkit starts, which without a display
        // would end the program first.
        QCOMPARE(ParseAppCommandLine({"--bogus"}, false).action, A::Error);
        QCOMPARE(ParseAppCommandLine({"-platform", "offscreen", "-x"}, false).action, A::Error);
        QCOMPARE(ParseAppCommandLine({"--", "-odd.txt"}, false).action, A::Run);
        QCOMPARE(ParseAppCommandLine({"--bogus"}, true).action, A::Error);
        QCOMPARE(ParseAppCommandLine({"a.txt", "b.txt"}, true).action, A::Error);
        // After "--" a name that starts with a dash is a file.
        QCOMPARE(ParseAppCommandLine({"--", "-odd.txt"}, true).file, std::string("-odd.txt"));
    }
};

} // namespace sw::gui

QTEST_MAIN(sw::gui::StartupTest)
#include "StartupTest.moc"

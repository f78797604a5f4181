// "Open layer" in the main window, on files ogr2ogr makes at test time: the
// sheets are those the core gives for the union of the chosen features, the data
// type follows the geometry, the file names the input, and a damaged file, a
// cancelled read or a cancelled choice leaves everything as it was. The open box
// and the chooser are replaced through their seams; the chooser's own rows and
// "All" are used, without its modal loop.

#include "../../gis/LayerSamples.h"
#include "../dialogs/MessageCatcher.h"
#include "HeldComputations.h"

#include "WindowFixture.h"
#include "coverage/Coverage.h"
#include "report/ReportTable.h"
#include "view/LayerChooser.h"
#include "view/MainForm.h"
#include "view/OpenLayer.h"

#include <QElapsedTimer>
#include <QTableWidget>
#include <QToolButton>
#include <QtTest>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

#include <fstream>

namespace sw::gui {

namespace {

std::vector<std::string> InSheets(const SheetGrid& g) {
    std::vector<std::string> in;
    for (const SheetRec& r : g.SheetList) {
        if (r.InFlag == 1) {
            in.push_back(r.SheetNo.str());
        }
    }
    return in;
}

// What the core gives for the chosen features of the file at the settings.
SheetGrid CoreUnion(const Settings& s, const std::string& path,
                    const std::vector<std::size_t>& chosen) {
    const GisLayer layer = ReadGisLayer(path, {});
    std::vector<Feature> features;
    for (const std::size_t i : chosen) {
        features.push_back(layer.Features.at(i).Shape);
    }
    SheetGrid g;
    ComputeUnion(s, features, g);
    return g;
}

} // namespace

class OpenLayerTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TMainForm> form;
    std::unique_ptr<test::MessageCatcher> messages;
    std::unique_ptr<test::LayerDir> dir;
    QString nextFile;
    // The rows the chooser is to pick; empty: "All". Its feature count is kept.
    std::optional<std::vector<int>> pick = std::vector<int>{};
    std::size_t listed = 0;
    int chooserShown = 0;

    const AppState& State() const { return form->State(); }
    QToolButton* Button(const char* name) const {
        return form->findChild<QToolButton*>(QString::fromLatin1(name));
    }

    // "Open layer" on the file, through the tool bar button, to the end of the
    // computation it starts.
    void Open(const std::string& file) {
        nextFile = QString::fromStdString(dir->File(file));
        Button("OpenLayerBtn")->click();
        QVERIFY(form->WaitForComputation());
    }

    void ExpectSheetsOfCore(const std::string& file, const std::vector<std::size_t>& chosen) {
        const SheetGrid want = CoreUnion(State().settings, dir->File(file), chosen);
        QCOMPARE(State().grid.GridCols, want.GridCols);
        QCOMPARE(State().grid.GridRows, want.GridRows);
        QCOMPARE(InSheets(State().grid), InSheets(want));
        QCOMPARE(State().grid.InSheetCount, want.InSheetCount);
    }

    struct Snapshot {
        std::vector<std::string> in;
        int32_t cols = 0;
        std::size_t vertices = 0;
        DataKind dataType = DataKind::Point;
        QString title;
        std::string input;
        bool image = false;
    };
    Snapshot Take() const {
        return {
            InSheets(State().grid),        State().grid.GridCols, State().feature.Vertices.size(),
            State().settings.DataType,     form->windowTitle(),   State().InputFileName,
            form->LayoutImage() != nullptr};
    }
    void ExpectUnchanged(const Snapshot& a) const {
        const Snapshot b = Take();
        QCOMPARE(b.in, a.in);
        QCOMPARE(b.cols, a.cols);
        QCOMPARE(b.vertices, a.vertices);
        QCOMPARE(b.dataType, a.dataType);
        QCOMPARE(b.title, a.title);
        QCOMPARE(b.input, a.input);
        QCOMPARE(b.image, a.image);
    }

private slots:
    void init() {
        if (!test::HaveOgr2Ogr()) {
            QSKIP("ogr2ogr is not installed");
        }
        messages = std::make_unique<test::MessageCatcher>();
        dir = std::make_unique<test::LayerDir>();
        form = test::ShowMainForm();
        QVERIFY(form != nullptr);
        pick = std::vector<int>{};
        chooserShown = 0;
        form->Layers().SetFileChoice([this](QWidget*) { return nextFile; });
        form->Layers().SetFeatureChoice([this](const GisLayer& layer, QWidget*) {
            ++chooserShown;
            listed = layer.Features.size();
            if (!pick) {
                return std::optional<std::vector<std::size_t>>();
            }
            TLayerChooser chooser(layer);
            if (pick->empty()) {
                chooser.AllClick();
            }
            for (const int row : *pick) {
                chooser.Grid()->selectionModel()->select(chooser.Grid()->model()->index(row, 0),
                                                         QItemSelectionModel::Select |
                                                             QItemSelectionModel::Rows);
            }
            return std::optional(chooser.Chosen());
        });
    }
    void cleanup() {
        form.reset();
        messages.reset();
        dir.reset();
    }

    void buttonSitsBeforeDataTypeWithItsKey() {
        QToolButton* b = Button("OpenLayerBtn");
        QVERIFY(b != nullptr);
        QCOMPARE(b->text(), QStringLiteral("Open layer"));
        QCOMPARE(b->toolTip(), QStringLiteral("Open layer (Ctrl+O)"));
        QVERIFY(!b->icon().isNull());
        QVERIFY(b->x() < Button("SpeedButton1")->x());
    }

    // Several features with a hole and a two-part polygon, a projected layer and
    // a GPS track: the same sheets as the core's union of the same file.
    void everyFeatureGivesTheCoresUnion() {
        QVERIFY(dir->Ogr2Ogr("-f GPKG s.gpkg sample.geojson"));
        QVERIFY(dir->Ogr2Ogr("-f GPKG utm.gpkg sample.geojson -t_srs EPSG:32643"));
        QVERIFY(dir->Ogr2Ogr("-f GPX track.gpx sample.geojson -where \"name='route'\" "
                             "-nlt MULTILINESTRING -lco FORCE_GPX_TRACK=YES"));
        for (const char* file : {"s.gpkg", "utm.gpkg"}) {
            Open(file);
            QVERIFY2(messages->boxes.empty(), qPrintable(messages->LastText()));
            QCOMPARE(listed, std::size_t{4});
            ExpectSheetsOfCore(file, {0, 1, 2, 3});
            QCOMPARE(State().grid.InSheetCount, test::SampleUnionSheets);
            QCOMPARE(State().settings.DataType, DataKind::Polygon);
        }
        const QString path = QString::fromStdString(dir->File("utm.gpkg"));
        QCOMPARE(form->windowTitle(), path);
        QCOMPARE(State().InputFileName, dir->File("utm.gpkg"));
        QCOMPARE(form->PanelText(0), QStringLiteral("Opened utm.gpkg: 4 features as a polygon"));
        QVERIFY(form->LayoutImage() != nullptr);
        QVERIFY(Button("SaveBtn")->isEnabled());
        QVERIFY(Button("ReportBtn")->isEnabled());
        QTRY_COMPARE(form->PanelText(1), QStringLiteral("Total Sheets 29"));
        const ReportInput in{State().settings, State().grid, State().feature,
                             State().InputFileName};
        QCOMPARE(ReportInputLine(in), "Input POLYLINE " + dir->File("utm.gpkg"));

        // One feature: no chooser; a line gives the data type Polyline.
        const int shown = chooserShown;
        Open("track.gpx");
        QCOMPARE(chooserShown, shown);
        ExpectSheetsOfCore("track.gpx", {0});
        QCOMPARE(State().grid.InSheetCount, 2);
        QCOMPARE(State().settings.DataType, DataKind::Polyline);
    }

    // Every layer of a source is offered: none goes missing unseen.
    void everyLayerIsOffered() {
        QVERIFY(dir->Ogr2Ogr("-f GPKG two.gpkg sample.geojson -nln areas "
                             "-where \"name IN ('holed','islands')\""));
        QVERIFY(dir->Ogr2Ogr("-f GPKG -update two.gpkg sample.geojson -nln lines "
                             "-where \"name='route'\""));
        Open("two.gpkg");
        QVERIFY2(messages->boxes.empty(), qPrintable(messages->LastText()));
        QCOMPARE(listed, std::size_t{3});
        QCOMPARE(State().grid.InSheetCount,
                 test::SampleSheets[0] + test::SampleSheets[1] + test::SampleSheets[2]);
    }

    // A read stuck inside the reader: Escape frees the window at once and the
    // result, whenever it comes, is dropped; quitting does not wait for it.
    void aStuckReadNeverHoldsTheWindow() {
        auto release = std::make_shared<std::atomic<bool>>(false);
        form->Layers().SetReading([release](const std::string& path, const GisLayerOptions& o) {
            while (!*release) {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
            return ReadGisLayer(path, o);
        });
        QVERIFY(dir->Ogr2Ogr("-f GPKG s.gpkg sample.geojson"));
        const Snapshot before = Take();
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        QVERIFY(form->Layers().Open(QString::fromStdString(dir->File("s.gpkg"))));
        QVERIFY(form->Computing());
        QElapsedTimer timer;
        timer.start();
        QTest::keySequence(form.get(), QKeySequence(Qt::Key_Escape));
        QVERIFY(!form->Computing());
        QVERIFY(timer.elapsed() < 500);
        QCOMPARE(form->PanelText(0), QStringLiteral("Reading cancelled"));
        QVERIFY(Button("OpenLayerBtn")->isEnabled());
        *release = true;
        QTest::qWait(200);
        ExpectUnchanged(before);
        QCOMPARE(chooserShown, 0);

        *release = false;
        QVERIFY(form->Layers().Open(QString::fromStdString(dir->File("s.gpkg"))));
        timer.restart();
        form.reset();
        QVERIFY(timer.elapsed() < 500);
        *release = true;
    }

    // A subset is the union of those features alone, also once the scale changes.
    void chosenFeaturesAloneAndAtAnotherScale() {
        QVERIFY(dir->Ogr2Ogr("-f GPKG s.gpkg sample.geojson"));
        pick = std::vector<int>{0};
        Open("s.gpkg");
        QCOMPARE(State().grid.InSheetCount, test::SampleSheets[0]);
        QCOMPARE(State().settings.DataType, DataKind::Polygon);

        pick = std::vector<int>{2, 3};
        Open("s.gpkg");
        ExpectSheetsOfCore("s.gpkg", {2, 3});
        QCOMPARE(State().grid.InSheetCount, test::SampleSheets[2] + test::SampleSheets[3]);
        QCOMPARE(State().settings.DataType, DataKind::Polyline);
        QCOMPARE(form->PanelText(0),
                 QStringLiteral("Opened s.gpkg: 2 of 4 features as a polyline"));

        pick = std::vector<int>{};
        Open("s.gpkg");
        form->ComboBox2Change(1); // the open series' "1:50,000"
        QVERIFY(form->WaitForComputation());
        QCOMPARE(State().settings.MapSeries, Series::OpenSeries);
        ExpectSheetsOfCore("s.gpkg", {0, 1, 2, 3});
    }

    void damagedFilesAndCancelledChoicesKeepTheLayout() {
        QVERIFY(dir->Ogr2Ogr("-f GPKG s.gpkg sample.geojson"));
        Open("s.gpkg");
        const Snapshot before = Take();
        QCOMPARE(before.in.size(), std::size_t{29});

        std::ofstream(dir->File("bad.gpkg")) << "SQLite format 3 but not really";
        Open("bad.gpkg");
        QTRY_COMPARE(messages->boxes.size(), std::size_t{1});
        QVERIFY2(messages->LastText().startsWith(
                     QStringLiteral("Cannot read \"%1\": ")
                         .arg(QString::fromStdString(dir->File("bad.gpkg")))),
                 qPrintable(messages->LastText()));
        ExpectUnchanged(before);

        // A file GDAL reads but without any geometry.
        std::ofstream(dir->File("plain.csv")) << "name,code\nholed,11\n";
        Open("plain.csv");
        QTRY_COMPARE(messages->boxes.size(), std::size_t{2});
        ExpectUnchanged(before);

        pick.reset();
        Open("s.gpkg");
        QCOMPARE(chooserShown, 2);
        ExpectUnchanged(before);
        QCOMPARE(messages->boxes.size(), std::size_t{2});
    }

    // Escape while the file is read, and while its sheets are computed.
    void cancelKeepsTheLayout() {
        QVERIFY(dir->Ogr2Ogr("-f GPKG s.gpkg sample.geojson"));
        Open("s.gpkg");
        const Snapshot before = Take();

        // Enough features that the read is still going when Escape comes.
        {
            std::ofstream many(dir->File("many.geojson"));
            many << R"({"type":"FeatureCollection","features":[)";
            for (int i = 0; i < 50000; ++i) {
                many << (i > 0 ? "," : "") << R"({"type":"Feature","properties":{},)"
                     << R"("geometry":{"type":"Point","coordinates":[77.)" << 1000 + i % 9000
                     << ",28." << 1000 + i / 9 % 9000 << "]}}";
            }
            many << "]}";
        }
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        QVERIFY(form->Layers().Open(QString::fromStdString(dir->File("many.geojson"))));
        QVERIFY(form->Computing());
        QVERIFY(!Button("OpenLayerBtn")->isEnabled());
        QTest::keySequence(form.get(), QKeySequence(Qt::Key_Escape));
        QVERIFY(form->WaitForComputation());
        QCOMPARE(form->PanelText(0), QStringLiteral("Reading cancelled"));
        ExpectUnchanged(before);

        // A ten degree line at 1:2000 of the open series, long to compute.
        std::ofstream(dir->File("long.geojson"))
            << R"({"type":"FeatureCollection","features":[{"type":"Feature","properties":{},)"
            << R"("geometry":{"type":"LineString","coordinates":[[70.0028,20.0028],)"
            << R"([71.0028,30.0028]]}}]})";
        form->ComboBox2Change(1);
        QVERIFY(form->WaitForComputation());
        form->ComboBox1Change(5);
        QVERIFY(form->WaitForComputation());
        const Snapshot atSmallScale = Take();
        // Escape as soon as the computation has started.
        QObject::connect(&form->Layers(), &LayerOpening::HandedOver, form.get(), [this] {
            QVERIFY(form->Computing());
            QTest::keySequence(form.get(), QKeySequence(Qt::Key_Escape));
        });
        const test::HeldComputations held; // cancelled below
        nextFile = QString::fromStdString(dir->File("long.geojson"));
        Button("OpenLayerBtn")->click();
        QVERIFY(form->WaitForComputation());
        ExpectUnchanged(atSmallScale);
        QVERIFY(messages->boxes.empty());
    }
};

} // namespace sw::gui

QTEST_MAIN(sw::gui::OpenLayerTest)
#include "OpenLayerTest.moc"

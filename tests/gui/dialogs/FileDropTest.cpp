// Files dropped on the main window of the started application, through
// synthesised drag and drop events: a vertex text file goes to the vertex
// dialog, any other file is opened as a layer.

#include "../../gis/LayerSamples.h"
#include "../view/HeldComputations.h"
#include "AppFixture.h"

#include "app/Startup.h"
#include "dialogs/PolyInputForm.h"
#include "view/FileDrop.h"
#include "view/MainForm.h"
#include "view/OpenLayer.h"

#include <QCheckBox>
#include <QFile>
#include <QMimeData>
#include <QUrl>
#include <QtTest>

namespace sw::gui {

class FileDropTest : public test::AppFixture {
    Q_OBJECT

    std::unique_ptr<test::LayerDir> dir;

    static QString Data(const QString& relative) {
        return QString::fromLocal8Bit(qgetenv("SHEETWRIGHT_TEST_DATA")) + QLatin1Char('/') +
               relative;
    }

    AppState& State() const { return app->MainForm->State(); }

    // Drags the files over the window and drops them as the window system does:
    // the drop is delivered only when the window took the drag. The file is read
    // once the event loop runs again. True when the window took the drop.
    bool Drop(const QList<QUrl>& urls) {
        if (!DragEnterAccepted(urls)) {
            return false;
        }
        QMimeData mime;
        mime.setUrls(urls);
        QDropEvent drop(QPointF(300, 300), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&Main(), &drop);
        QCoreApplication::processEvents();
        return drop.isAccepted();
    }
    bool Drop(const QString& path) { return Drop({QUrl::fromLocalFile(path)}); }

    // A drop handed to the window without a drag before it.
    bool DropWithoutDrag(const QList<QUrl>& urls) {
        QMimeData mime;
        mime.setUrls(urls);
        QDropEvent drop(QPointF(300, 300), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        drop.ignore();
        static_cast<QObject&>(Main()).event(&drop);
        QCoreApplication::processEvents();
        return drop.isAccepted();
    }

    bool DragEnterAccepted(const QList<QUrl>& urls) {
        QMimeData mime;
        mime.setUrls(urls);
        QDragEnterEvent enter(QPoint(300, 300), Qt::CopyAction, &mime, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(&Main(), &enter);
        return enter.isAccepted();
    }

    // The vertex table's cells, to show that a refusal changed nothing.
    static std::vector<std::string> Cells(const VertexTable& t) {
        std::vector<std::string> cells;
        for (int r = 0; r < t.RowCount(); ++r) {
            for (int c = 0; c < t.ColCount(); ++c) {
                cells.push_back(t.Cell(c, r));
            }
        }
        return cells;
    }

    void ExpectNothingChanged(const std::vector<std::string>& cellsBefore, DataKind typeBefore) {
        QCOMPARE(Cells(State().vertexTable), cellsBefore);
        QCOMPARE(State().settings.DataType, typeBefore);
        QVERIFY(!State().InputFileOpened);
        QVERIFY(!app->PolyInputForm->isVisible());
        QCOMPARE(Main().windowTitle(), QStringLiteral("Sheetwright"));
    }

    void ExpectNoLayout() {
        QCOMPARE(State().feature.FeatureLoaded, 0);
        QVERIFY(Main().LayoutImage() == nullptr);
    }

    // A dropped layer, read and computed; the chooser takes "All".
    void ExpectLayerOpened(const QString& path, DataKind dataType, int inSheets) {
        QVERIFY(Main().WaitForComputation());
        QVERIFY2(messages->boxes.empty(), qPrintable(messages->LastText()));
        QCOMPARE(State().feature.FeatureLoaded, 1);
        QCOMPARE(State().settings.DataType, dataType);
        QCOMPARE(State().grid.InSheetCount, inSheets);
        QVERIFY(Main().LayoutImage() != nullptr);
        QCOMPARE(Main().windowTitle(), path);
        QCOMPARE(QString::fromStdString(State().InputFileName), path);
        QVERIFY(!app->PolyInputForm->isVisible());
    }

private slots:
    void init() {
        QVERIFY(StartApp());
        QVERIFY(Main().acceptDrops());
        dir = std::make_unique<test::LayerDir>();
        Main().Layers().SetFeatureChoice([](const GisLayer& layer, QWidget*) {
            std::vector<std::size_t> all(layer.Features.size());
            for (std::size_t i = 0; i < all.size(); ++i) {
                all[i] = i;
            }
            return std::optional(all);
        });
    }
    void cleanup() {
        StopApp();
        dir.reset();
    }

    void kmlPolygonOpensAsALayer() {
        const QString file = Data(QStringLiteral("dialogs/polygon.kml"));
        QVERIFY(DragEnterAccepted({QUrl::fromLocalFile(file)}));
        QVERIFY(Drop(file));
        // Its corners lie on sheet corners: the eight sheets the vertex dialog gives.
        ExpectLayerOpened(file, DataKind::Polygon, 8);
        QCOMPARE(Main().PanelText(0), QStringLiteral("Opened polygon.kml: 1 feature as a polygon"));
        // The vertex dialog's table is not the layer's.
        QVERIFY(!State().InputFileOpened);
        QCOMPARE(State().vertexTable.VertexCount, 0);
    }

    // Shapefiles and GeoPackages as GIS programs write them: every feature, kinds
    // from the geometry, projected ones reprojected, one without a coordinate
    // system taken as longitudes and latitudes.
    void gisFilesOpenAsTheirGeometry() {
        if (!test::HaveOgr2Ogr()) {
            QSKIP("ogr2ogr is not installed");
        }
        QVERIFY(dir->Ogr2Ogr("-f GPKG s.gpkg sample.geojson"));
        QVERIFY(dir->Ogr2Ogr("Poly.shp sample.geojson -where \"name IN ('holed','islands')\" "
                             "-nlt MULTIPOLYGON"));
        QVERIFY(dir->Ogr2Ogr("utm.shp sample.geojson -where \"name IN ('holed','islands')\" "
                             "-nlt MULTIPOLYGON -t_srs EPSG:32643"));
        QVERIFY(dir->Ogr2Ogr("line.shp sample.geojson -where \"name='route'\""));
        QVERIFY(QFile::remove(QString::fromStdString(dir->File("line.prj"))));
        const struct {
            const char* file;
            DataKind dataType;
            int sheets;
        } cases[] = {
            {"s.gpkg", DataKind::Polygon, test::SampleUnionSheets},
            {"Poly.shp", DataKind::Polygon, test::SampleSheets[0] + test::SampleSheets[1]},
            {"utm.shp", DataKind::Polygon, test::SampleSheets[0] + test::SampleSheets[1]},
            {"line.shp", DataKind::Polyline, test::SampleSheets[2]},
        };
        for (const auto& c : cases) {
            const QString path = QString::fromStdString(dir->File(c.file));
            QVERIFY(Drop(path));
            ExpectLayerOpened(path, c.dataType, c.sheets);
        }
        QCOMPARE(Main().PanelText(0), QStringLiteral("Opened line.shp: 1 feature as a polyline"));
    }

    void textFileAfterALayerIsAPolyline() {
        QVERIFY(Drop(Data(QStringLiteral("dialogs/polygon.kml"))));
        QTRY_COMPARE(State().settings.DataType, DataKind::Polygon);
        QVERIFY(Main().WaitForComputation());
        QVERIFY(Drop(Data(QStringLiteral("dialogs/route.txt"))));
        QTRY_COMPARE(State().settings.DataType, DataKind::Polyline);
        QCOMPARE(Main().PanelText(0), QStringLiteral("Opened route.txt as a polyline"));
        QVERIFY(!app->PolyInputForm->findChild<QCheckBox*>()->isChecked());
        QCOMPARE(State().vertexTable.Cell(3, 2), std::string("50"));
        QVERIFY(messages->boxes.empty());
    }

    void refusedDropsChangeNothing() {
        const auto cells = Cells(State().vertexTable);
        const DataKind type = State().settings.DataType;
        const QUrl kml = QUrl::fromLocalFile(Data(QStringLiteral("dialogs/polygon.kml")));
        const QUrl txt = QUrl::fromLocalFile(Data(QStringLiteral("dialogs/route.txt")));

        QVERIFY(!DragEnterAccepted({kml, txt}));
        QCOMPARE(Main().PanelText(0), QString::fromLatin1(DropOneFileText));
        SetPanelBlank();
        QVERIFY(!DropWithoutDrag({kml, txt}));
        QCOMPARE(Main().PanelText(0), QString::fromLatin1(DropOneFileText));
        ExpectNothingChanged(cells, type);

        const QString other = QString::fromLatin1(DropLocalFileText);
        for (const QUrl& url : {QUrl(QStringLiteral("https://example.org/route.kml"))}) {
            SetPanelBlank();
            QVERIFY2(!DragEnterAccepted({url}), qPrintable(url.toString()));
            QCOMPARE(Main().PanelText(0), other);
            SetPanelBlank();
            QVERIFY2(!DropWithoutDrag({url}), qPrintable(url.toString()));
            QCOMPARE(Main().PanelText(0), other);
            ExpectNothingChanged(cells, type);
        }
        SetPanelBlank();
        QVERIFY(!DropWithoutDrag(QList<QUrl>{}));
        QCOMPARE(Main().PanelText(0), other);
        QCoreApplication::processEvents();
        ExpectNothingChanged(cells, type);
        ExpectNoLayout();
        QVERIFY(messages->boxes.empty());
    }

    // Any local file is taken; one no reader can read is told when dropped.
    void unreadableFilesAreToldAndChangeNothing() {
        const auto cells = Cells(State().vertexTable);
        const DataKind type = State().settings.DataType;
        const QString files[] = {
            Data(QStringLiteral("xls/abc-2.5.xls")),
            Data(QStringLiteral("dialogs/geographic.prj")),
            // A main file without the index file GIS programs write beside it.
            Data(QStringLiteral("dialogs/projected.shp")),
            Data(QStringLiteral("dialogs/missing.kml")),
            QStringLiteral("/tmp/no-extension"),
        };
        std::size_t told = 0;
        for (const QString& file : files) {
            SetPanelBlank();
            QVERIFY2(DragEnterAccepted({QUrl::fromLocalFile(file)}), qPrintable(file));
            QVERIFY(Drop(file));
            QVERIFY(Main().WaitForComputation());
            ++told;
            QTRY_COMPARE(messages->boxes.size(), told);
            QVERIFY2(
                messages->LastText().startsWith(QStringLiteral("Cannot read \"%1\": ").arg(file)),
                qPrintable(messages->LastText()));
            ExpectNothingChanged(cells, type);
            ExpectNoLayout();
        }
    }

    void dropDuringAComputationIsRefused() {
        // Open 1:2000 sheets are 36 seconds: a 10 degree line gives a million cells.
        Main().ComboBox2Change(1);
        Main().ComboBox1Change(5);
        std::vector<VertexRec> line{{DmsAngle{20, 0, 10}, DmsAngle{70, 0, 10}},
                                    {DmsAngle{30, 0, 10}, DmsAngle{71, 0, 10}}};
        const test::HeldComputations held; // cancelled below
        Main().AcceptFeature(MakeVertexFeature(line, false), false, false);
        QVERIFY(Main().Computing());
        const auto cells = Cells(State().vertexTable);
        const DataKind type = State().settings.DataType;
        const QUrl kml = QUrl::fromLocalFile(Data(QStringLiteral("dialogs/polygon.kml")));
        QVERIFY(!DragEnterAccepted({kml}));
        QVERIFY(Main().PanelText(0).startsWith(QStringLiteral("A calculation is running")));
        // A drop that the window system delivers anyway is told, not read.
        DropWithoutDrag({kml});
        QTRY_COMPARE(messages->boxes.size(), std::size_t{1});
        QVERIFY(messages->LastText().startsWith(QStringLiteral("A calculation is running")));
        Main().CancelComputation();
        QVERIFY(Main().WaitForComputation());
        ExpectNothingChanged(cells, type);
    }

private:
    void SetPanelBlank() { Main().SetPanelText(0, QString()); }
};

} // namespace sw::gui

QTEST_MAIN(sw::gui::FileDropTest)
#include "FileDropTest.moc"

// Files dropped on the main window of the started application, through
// synthesised drag and drop events.

#include "MessageCatcher.h"

#include "app/Startup.h"
#include "dialogs/PolyInputForm.h"
#include "view/FileDrop.h"
#include "view/MainForm.h"

#include <QCheckBox>
#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>

namespace sw {

class FileDropTest : public QObject {
    Q_OBJECT

    std::unique_ptr<AppWindows> app;
    std::unique_ptr<test::MessageCatcher> messages;

    static QString Data(const QString& relative) {
        return QString::fromLocal8Bit(qgetenv("SHEETWRIGHT_TEST_DATA")) + QLatin1Char('/') +
               relative;
    }

    TMainForm& Main() const { return *app->MainForm; }
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

    void ExpectNothingChanged(const std::vector<std::string>& cellsBefore, uint8_t typeBefore) {
        QCOMPARE(Cells(State().vertexTable), cellsBefore);
        QCOMPARE(State().settings.DataType, typeBefore);
        QVERIFY(!State().InputFileOpened);
        QVERIFY(!app->PolyInputForm->isVisible());
        QCOMPARE(Main().windowTitle(), QStringLiteral("Sheetwright"));
    }

private slots:
    void init() {
        messages = std::make_unique<test::MessageCatcher>();
        app = StartApplication();
        QVERIFY(QTest::qWaitForWindowExposed(app->MainForm.get()));
        QVERIFY(Main().acceptDrops());
    }
    void cleanup() {
        app.reset();
        messages.reset();
    }

    void kmlPolygonOpensAsAPolygon() {
        const QString file = Data(QStringLiteral("dialogs/polygon.kml"));
        QVERIFY(DragEnterAccepted({QUrl::fromLocalFile(file)}));
        QVERIFY(Drop(file));
        QTRY_VERIFY(app->PolyInputForm->isVisible());
        QVERIFY2(messages->boxes.empty(), qPrintable(messages->LastText()));
        QCOMPARE(State().settings.DataType, Polygon);
        QCOMPARE(Main().PanelText(0), QStringLiteral("Opened polygon.kml as a polygon"));
        // Exactly what "Open" with the KML filter gives.
        QVERIFY(State().InputFileOpened);
        QCOMPARE(State().vertexTable.VertexCount, 3);
        QCOMPARE(State().vertexTable.Cell(1, 1), std::string("28.5"));
        QVERIFY(app->PolyInputForm->findChild<QCheckBox*>()->isChecked());
        QCOMPARE(Main().windowTitle(), file);
        QCOMPARE(QString::fromStdString(State().InputFileName), file);
    }

    void shapefilesOpenAsTheirShapeType() {
        // A polygon main file with a geographic projection file beside it.
        QTemporaryDir dir;
        const QString shp = dir.filePath(QStringLiteral("Sheet.SHP"));
        QVERIFY(QFile::copy(Data(QStringLiteral("shp/one-sheet.shp")), shp));
        QVERIFY(QFile::copy(Data(QStringLiteral("dialogs/geographic.prj")),
                            dir.filePath(QStringLiteral("Sheet.prj"))));
        QVERIFY(Drop(shp));
        QTRY_VERIFY(app->PolyInputForm->isVisible());
        QVERIFY2(messages->boxes.empty(), qPrintable(messages->LastText()));
        QCOMPARE(State().settings.DataType, Polygon);
        QCOMPARE(Main().PanelText(0), QStringLiteral("Opened Sheet.SHP as a polygon"));
        QCOMPARE(State().vertexTable.VertexCount, 5);

        app->PolyInputForm->hide();
        QVERIFY(Drop(Data(QStringLiteral("dialogs/geographic.shp"))));
        QTRY_VERIFY(app->PolyInputForm->isVisible());
        QCOMPARE(State().settings.DataType, Polyline);
        QCOMPARE(Main().PanelText(0), QStringLiteral("Opened geographic.shp as a polyline"));
        QCOMPARE(State().vertexTable.VertexCount, 3);
    }

    void textFileAfterAPolygonIsAPolyline() {
        QVERIFY(Drop(Data(QStringLiteral("dialogs/polygon.kml"))));
        QTRY_COMPARE(State().settings.DataType, Polygon);
        QVERIFY(Drop(Data(QStringLiteral("dialogs/route.txt"))));
        QTRY_COMPARE(State().settings.DataType, Polyline);
        QCOMPARE(Main().PanelText(0), QStringLiteral("Opened route.txt as a polyline"));
        QVERIFY(!app->PolyInputForm->findChild<QCheckBox*>()->isChecked());
        QCOMPARE(State().vertexTable.Cell(3, 2), std::string("50"));
        QVERIFY(messages->boxes.empty());
    }

    void shapefileWithoutPrjIsMarkedOpenedAndSaysSo() {
        QVERIFY(Drop(Data(QStringLiteral("dialogs/noprj.shp"))));
        QTRY_VERIFY(app->PolyInputForm->isVisible());
        QVERIFY(State().InputFileOpened);
        QCOMPARE(State().vertexTable.VertexCount, 0);
        // "Sheet No." must bring back the vertex dialog, not the point dialog.
        QCOMPARE(State().settings.DataType, Polyline);
        QCOMPARE(Main().PanelText(0),
                 QStringLiteral("Opened noprj.shp; nothing read: no .prj file beside it"));
    }

    void refusedDropsChangeNothing() {
        const auto cells = Cells(State().vertexTable);
        const uint8_t type = State().settings.DataType;
        const QUrl kml = QUrl::fromLocalFile(Data(QStringLiteral("dialogs/polygon.kml")));
        const QUrl txt = QUrl::fromLocalFile(Data(QStringLiteral("dialogs/route.txt")));

        QVERIFY(!DragEnterAccepted({kml, txt}));
        QCOMPARE(Main().PanelText(0), QString::fromLatin1(DropOneFileText));
        SetPanelBlank();
        QVERIFY(!DropWithoutDrag({kml, txt}));
        QCOMPARE(Main().PanelText(0), QString::fromLatin1(DropOneFileText));
        ExpectNothingChanged(cells, type);

        const QString other = DropFileTypesText();
        for (const QUrl& url : {QUrl::fromLocalFile(Data(QStringLiteral("xls/abc-2.5.xls"))),
                                QUrl::fromLocalFile(Data(QStringLiteral("dialogs/geographic.prj"))),
                                QUrl::fromLocalFile(QStringLiteral("/tmp/no-extension")),
                                QUrl(QStringLiteral("https://example.org/route.kml"))}) {
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
        QVERIFY(messages->boxes.empty());
    }

    void unreadableFilesAreToldAndChangeNothing() {
        const auto cells = Cells(State().vertexTable);
        const uint8_t type = State().settings.DataType;
        QVERIFY(Drop(Data(QStringLiteral("dialogs/projected.shp"))));
        QTRY_COMPARE(messages->boxes.size(), std::size_t{1});
        QCOMPARE(messages->boxes[0].text, QStringLiteral("Erro! No geographic coordinates"));
        QCoreApplication::processEvents();
        ExpectNothingChanged(cells, type);

        QVERIFY(Drop(Data(QStringLiteral("dialogs/missing.kml"))));
        QTRY_COMPARE(messages->boxes.size(), std::size_t{2});
        QCOMPARE(messages->boxes[1].text, QStringLiteral("File not found"));
        ExpectNothingChanged(cells, type);
    }

    void dropDuringAComputationIsRefused() {
        // Open 1:2000 sheets are 36 seconds: a 10 degree line gives a million cells.
        Main().ComboBox2Change(1);
        Main().ComboBox1Change(5);
        std::vector<VertexRec> line{{DmsAngle{20, 0, 10}, DmsAngle{70, 0, 10}},
                                    {DmsAngle{30, 0, 10}, DmsAngle{71, 0, 10}}};
        Main().AcceptFeature(MakeVertexFeature(line, false), false, false);
        QVERIFY(Main().Computing());
        const auto cells = Cells(State().vertexTable);
        const uint8_t type = State().settings.DataType;
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

} // namespace sw

QTEST_MAIN(sw::FileDropTest)
#include "FileDropTest.moc"

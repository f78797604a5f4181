#include "HostRecorder.h"
#include "MessageCatcher.h"

#include "dialogs/PolyInputForm.h"
#include "dialogs/VertexGridModel.h"
#include "dialogs/VertexGridView.h"
#include "exchange/PasteBlock.h"

#include <QCheckBox>
#include <QClipboard>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <optional>

namespace sw::gui {

class PolyInputFormTest : public QObject, public test::HostRecorder {
    Q_OBJECT

    QWidget mainWindow;

    std::unique_ptr<TPolyInputForm> Make() {
        return std::make_unique<TPolyInputForm>(Host(&mainWindow));
    }

    static QString Data(const char* name) {
        return QString::fromLocal8Bit(qgetenv("SHEETWRIGHT_TEST_DATA")) +
               QStringLiteral("/dialogs/") + QString::fromLatin1(name);
    }

    static QPushButton* Button(TPolyInputForm& f, const char* name) {
        return f.findChild<QPushButton*>(QString::fromLatin1(name));
    }
    static QCheckBox* Decimal(TPolyInputForm& f) {
        return f.findChild<QCheckBox*>(QStringLiteral("DegreeDecimalchkbox"));
    }
    const std::string& Cell(int col, int row) const { return state.vertexTable.Cell(col, row); }
    // Key by key into whatever has the focus: the first key opens the cell's editor.
    static void Type(const QString& text) {
        for (const QChar c : text) {
            QTest::keyClicks(QApplication::focusWidget(), QString(c));
        }
    }

private slots:
    void init() {
        state = AppState{};
        accepted.reset();
        mainWindow.setWindowTitle(QStringLiteral("Sheetwright"));
        QLocale::setDefault(QLocale::c());
        // Without the test data a file error's message box would wait for ever.
        QVERIFY2(QFile::exists(Data("route.txt")), qPrintable(Data("route.txt")));
    }

    void createdInDmsModeWithOkDisabled() {
        auto f = Make();
        QCOMPARE(f->windowTitle(), QStringLiteral("Data Input"));
        QCOMPARE(state.vertexTable.RowCount(), 7);
        QCOMPARE(state.vertexTable.ColCount(), 7);
        QCOMPARE(Cell(1, 0), std::string("Lat."));
        QCOMPARE(Cell(4, 0), std::string("Long."));
        QCOMPARE(Cell(3, 1), std::string("Sec."));
        QCOMPARE(Cell(0, 0), std::string());
        QCOMPARE(f->Grid()->columnWidth(3), 40);
        QCOMPARE(f->Grid()->objectName(), QStringLiteral("StringGrid1"));
        QVERIFY(!Decimal(*f)->isChecked());
        QVERIFY(!Button(*f, "BitBtn1")->isEnabled());
        QVERIFY(Button(*f, "OKBtn")->isDefault());
        QCOMPARE(Button(*f, "OKBtn")->text(), QStringLiteral("Open"));
        QCOMPARE(Button(*f, "BitBtn1")->text(), QStringLiteral("OK"));
        QCOMPARE(Button(*f, "BitBtn2")->text(), QStringLiteral("Cancel"));
        QCOMPARE(Button(*f, "BitBtn3")->text(), QStringLiteral("Clear"));
        // Fixed cells are not editable.
        const VertexGridModel* m = f->GridModel();
        QVERIFY(!(m->flags(m->index(1, 3)) & Qt::ItemIsEditable));
        QVERIFY(!(m->flags(m->index(4, 0)) & Qt::ItemIsEditable));
        QVERIFY(m->flags(m->index(2, 1)) & Qt::ItemIsEditable);
        auto* open = f->findChild<QFileDialog*>(QStringLiteral("OpenDialog1"));
        QVERIFY(open);
        QCOMPARE(open->nameFilters(),
                 (QStringList{QStringLiteral("Tab delimitted text file (*.txt)"),
                              QStringLiteral("ESRI ShapeFile (*.shp)"),
                              QStringLiteral("Key hole Markup Language (KMLl) file (*.kml)")}));
    }

    void textFileOpensAndOkGivesTheVertices() {
        state.settings.DataType = DataKind::Polyline;
        auto f = Make();
        f->show();
        f->OpenFile(OpenFilter{1}, Data("route.txt"));
        QCOMPARE(state.vertexTable.VertexCount, 3);
        QCOMPARE(state.vertexTable.RowCount(), 5);
        QCOMPARE(state.vertexTable.ColCount(), 7);
        QCOMPARE(Cell(0, 2), std::string("1"));
        QCOMPARE(Cell(0, 4), std::string("3"));
        QCOMPARE(Cell(6, 4), std::string("5"));
        QVERIFY(state.InputFileOpened);
        QCOMPARE(QString::fromStdString(state.InputFileName), Data("route.txt"));
        QCOMPARE(mainWindow.windowTitle(), Data("route.txt"));
        QCOMPARE(f->findChild<QLabel*>(QStringLiteral("Label1"))->text(), Data("route.txt"));
        QVERIFY(Button(*f, "BitBtn1")->isEnabled());
        QCOMPARE(f->GridModel()->rowCount(), 5);

        Button(*f, "BitBtn1")->click();
        QVERIFY(accepted);
        QVERIFY(!f->isVisible());
        QVERIFY(accepted->fit && accepted->report);
        const Feature& p = accepted->feature;
        QCOMPARE(p.VertexCount, 3);
        QCOMPARE(p.Vertices[0].Lat, (DmsAngle{28, 36, 50}));
        QCOMPARE(p.Vertices[0].Long, (DmsAngle{77, 12, 30}));
        QCOMPARE(p.Vertices[2].Long, (DmsAngle{77, 25, 5}));
        QCOMPARE(p.IsPolygon, uint8_t{0});

        state.settings.DataType = DataKind::Polygon;
        f->BitBtn1Click();
        QCOMPARE(accepted->feature.IsPolygon, uint8_t{1});
    }

    void shapefileIsReadInTheLocaleDecimalSeparator() {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        auto f = Make();
        f->OpenFile(OpenFilter{2}, Data("geographic.shp"));
        QVERIFY(Decimal(*f)->isChecked());
        QCOMPARE(state.vertexTable.ColCount(), 3);
        QCOMPARE(f->Grid()->columnWidth(1), 90);
        QCOMPARE(state.vertexTable.VertexCount, 3);
        QCOMPARE(Cell(1, 1), std::string("28,5"));
        QCOMPARE(Cell(2, 2), std::string("77,5"));
        QVERIFY(state.InputFileOpened);
        f->BitBtn1Click();
        QVERIFY(accepted);
        QCOMPARE(accepted->feature.Vertices[0].Lat, (DmsAngle{28, 30, 0}));
        QCOMPARE(accepted->feature.Vertices[1].Long, (DmsAngle{77, 30, 0}));
    }

    void shapefileWithoutPrjIsNotReadButCountsAsOpened() {
        auto f = Make();
        state.vertexTable.SetCell(1, 2, "keep");
        f->OpenFile(OpenFilter{2}, Data("noprj.shp"));
        QVERIFY(state.InputFileOpened);
        QCOMPARE(Cell(1, 2), std::string("keep"));
        QCOMPARE(state.vertexTable.VertexCount, 0);
        QCOMPARE(mainWindow.windowTitle(), Data("noprj.shp"));
        // OK on the empty count says so and keeps the dialog open.
        f->show();
        test::MessageCatcher catcher;
        f->BitBtn1Click();
        QCOMPARE(catcher.LastText(), QStringLiteral("No vertices to compute"));
        QVERIFY(!accepted);
        QVERIFY(f->isVisible());
    }

    void projectedShapefileIsRefusedAndChangesNothing() {
        auto f = Make();
        f->OpenFile(OpenFilter{1}, Data("route.txt"));
        state.InputFileOpened = false;
        const VertexTable before = state.vertexTable;
        const std::string fileBefore = state.InputFileName;
        test::MessageCatcher catcher;
        f->OpenFile(OpenFilter{2}, Data("projected.shp"));
        QCOMPARE(catcher.boxes.size(), std::size_t{1});
        QCOMPARE(catcher.boxes[0].title, QStringLiteral("Sheetwright"));
        QCOMPARE(catcher.boxes[0].text, QStringLiteral("Erro! No geographic coordinates"));
        QVERIFY(!state.InputFileOpened);
        QCOMPARE(state.InputFileName, fileBefore);
        QCOMPARE(mainWindow.windowTitle(), Data("route.txt"));
        QVERIFY(!Decimal(*f)->isChecked());
        QCOMPARE(state.vertexTable.ColCount(), 7);
        for (int r = 0; r < before.RowCount(); ++r) {
            for (int c = 0; c < 7; ++c) {
                QCOMPARE(Cell(c, r), before.Cell(c, r));
            }
        }
    }

    void kmlAndMissingFiles() {
        auto f = Make();
        f->OpenFile(OpenFilter{3}, Data("polygon.kml"));
        QVERIFY(Decimal(*f)->isChecked());
        QCOMPARE(state.vertexTable.VertexCount, 3);
        QCOMPARE(Cell(1, 1), std::string("28.5"));
        QCOMPARE(Cell(2, 1), std::string("77.25"));
        f->BitBtn1Click();
        QVERIFY(accepted);
        QCOMPARE(accepted->feature.VertexCount, 3);

        accepted.reset();
        state.InputFileOpened = false;
        test::MessageCatcher catcher;
        f->OpenFile(OpenFilter{1}, Data("no-such-file.txt"));
        QCOMPARE(catcher.boxes.size(), std::size_t{1});
        QVERIFY2(catcher.LastText().contains(QStringLiteral("no-such-file.txt")),
                 qPrintable(catcher.LastText()));
        QVERIFY(!state.InputFileOpened);
        QVERIFY(Decimal(*f)->isChecked()); // the mode stays as it was
    }

    // A file that gives nothing to compute says why and leaves the table, the
    // file name and the caption as the last good file left them.
    void fileThatGivesNothingSaysWhyAndKeepsTheTable() {
        auto f = Make();
        f->OpenFile(OpenFilter{1}, Data("route.txt"));
        const VertexTable before = state.vertexTable;
        QTemporaryDir dir;
        const QString data = QString::fromLocal8Bit(qgetenv("SHEETWRIGHT_TEST_DATA"));
        const auto copy = [&](const QString& from, const char* to) {
            QVERIFY(QFile::copy(from, dir.filePath(QString::fromLatin1(to))));
        };
        copy(data + QStringLiteral("/shp/point-type.shp"), "points.shp");
        copy(Data("geographic.prj"), "points.prj");
        QFile noise(dir.filePath(QStringLiteral("noise.shp")));
        QVERIFY(noise.open(QIODevice::WriteOnly));
        noise.write(QByteArray(300, '\x5a'));
        noise.close();
        copy(Data("geographic.prj"), "noise.prj");
        QFile kml(dir.filePath(QStringLiteral("empty.kml")));
        QVERIFY(kml.open(QIODevice::WriteOnly));
        kml.write("<kml><Document><name>nothing here</name></Document></kml>\n");
        kml.close();

        const struct {
            int filter;
            const char* file;
            const char* says;
        } cases[] = {{2, "points.shp", "holds points, not polylines or polygons"},
                     {2, "noise.shp", "is not a shapefile"},
                     {3, "empty.kml", "holds no coordinates"}};
        for (const auto& c : cases) {
            test::MessageCatcher catcher;
            QVERIFY(!f->OpenFile(OpenFilter{c.filter}, dir.filePath(QString::fromLatin1(c.file))));
            QCOMPARE(catcher.boxes.size(), std::size_t{1});
            QVERIFY2(catcher.LastText().contains(QString::fromLatin1(c.says)) &&
                         catcher.LastText().contains(QString::fromLatin1(c.file)),
                     qPrintable(catcher.LastText()));
            QCOMPARE(mainWindow.windowTitle(), Data("route.txt"));
            QCOMPARE(state.InputFileName, Data("route.txt").toStdString());
            QVERIFY(!Decimal(*f)->isChecked());
            QCOMPARE(state.vertexTable.VertexCount, before.VertexCount);
            for (int r = 0; r < before.RowCount(); ++r) {
                for (int col = 0; col < 7; ++col) {
                    QCOMPARE(Cell(col, r), before.Cell(col, r));
                }
            }
        }
    }

    // What a file holds decides how it is read, whatever filter was chosen; the
    // caption names a file only once it has been read.
    void fileIsReadByItsContentNotTheFilter() {
        auto f = Make();
        QTemporaryDir dir;
        const QString kmlAsText = dir.filePath(QStringLiteral("area.txt"));
        QVERIFY(QFile::copy(Data("polygon.kml"), kmlAsText));
        QVERIFY(f->OpenFile(OpenFilter{1}, Data("polygon.kml")));
        QVERIFY(Decimal(*f)->isChecked());
        QCOMPARE(Cell(2, 1), std::string("77.25"));
        QCOMPARE(mainWindow.windowTitle(), Data("polygon.kml"));
        QVERIFY(f->OpenFile(OpenFilter{1}, kmlAsText));
        QCOMPARE(state.vertexTable.VertexCount, 3);
        QCOMPARE(mainWindow.windowTitle(), kmlAsText);
        QVERIFY(f->OpenFile(OpenFilter{3}, Data("route.txt")));
        QVERIFY(!Decimal(*f)->isChecked());
        QCOMPARE(Cell(6, 4), std::string("5"));

        // A refused file leaves the caption on the last file read.
        test::MessageCatcher catcher;
        QVERIFY(!f->OpenFile(OpenFilter{1}, Data("projected.shp")));
        QCOMPARE(catcher.LastText(), QStringLiteral("Erro! No geographic coordinates"));
        QCOMPARE(mainWindow.windowTitle(), Data("route.txt"));
    }

    // The open box starts where the last file of this run came from.
    void openBoxStartsInTheLastFolder() {
        auto f = Make();
        auto* box = f->findChild<QFileDialog*>(QStringLiteral("OpenDialog1"));
        QVERIFY(box != nullptr);
        QCOMPARE(QDir(box->directory()).absolutePath(), QDir::currentPath());
        f->OpenFile(OpenFilter{1}, Data("route.txt"));
        QCOMPARE(QDir(box->directory()).absolutePath(),
                 QFileInfo(Data("route.txt")).absolutePath());
    }

    // A cell that does not convert is named by its vertex, row and column and
    // made current; the dialog stays open.
    void conversionMessagesNameTheCellAndKeepTheDialogOpen() {
        auto f = Make();
        f->show();
        f->OpenFile(OpenFilter{1}, Data("route.txt"));
        test::MessageCatcher catcher;
        f->GridModel()->WriteCell(3, 2, QStringLiteral(" 12a "));
        f->BitBtn1Click();
        QCOMPARE(catcher.LastText(), QStringLiteral("'12a' is not a valid integer value\n"
                                                    "Vertex 2: row 4, column 3 (Lat. Min.)"));
        QCOMPARE(catcher.boxes.back().title, QStringLiteral("Sheetwright"));
        QCOMPARE(f->Grid()->currentIndex(), f->GridModel()->index(3, 2));
        QVERIFY(!accepted);
        QVERIFY(f->isVisible());

        // Decimal mode over a text import reads the heading row first.
        Decimal(*f)->setChecked(true);
        QCOMPARE(state.vertexTable.ColCount(), 3);
        f->BitBtn1Click();
        QCOMPARE(catcher.LastText(), QStringLiteral("'Deg. Decimal' is not a valid floating point "
                                                    "value\nVertex 1: row 2, column 2 (Lat.)"));
        // A longitude whose degrees no angle holds is named too.
        f->GridModel()->WriteCell(2, 1, QStringLiteral("28.5"));
        f->GridModel()->WriteCell(2, 2, QStringLiteral("1e300"));
        state.vertexTable.SetCell(1, 1, "28.5");
        state.vertexTable.SetCell(2, 1, "77.5");
        f->BitBtn1Click();
        QVERIFY2(catcher.LastText().endsWith(QStringLiteral("Vertex 2: row 3, column 3 (Long.)")),
                 qPrintable(catcher.LastText()));

        state.vertexTable.VertexCount = -1;
        f->BitBtn1Click();
        QCOMPARE(catcher.LastText(), QStringLiteral("Range check error"));
        QVERIFY(!accepted);
        QCOMPARE(catcher.boxes.size(), std::size_t{4});
    }

    // Both decimal cells are read as numbers before either becomes an angle: a
    // latitude no angle holds beside a longitude that is no number fails at the
    // longitude, and that is the cell quoted and made current.
    void theCellMadeCurrentIsTheOneTheMessageQuotes() {
        auto f = Make();
        f->show();
        Decimal(*f)->setChecked(true);
        test::MessageCatcher catcher;
        f->PasteText(QStringLiteral("28.5\t77.25\n1e300\tabc\n"));
        f->BitBtn1Click();
        QCOMPARE(catcher.LastText(), QStringLiteral("'abc' is not a valid floating point value\n"
                                                    "Vertex 2: row 4, column 3 (Long.)"));
        QCOMPARE(f->Grid()->currentIndex(), f->GridModel()->index(3, 2));

        // With both cells numbers, the latitude converts first.
        f->GridModel()->WriteCell(3, 2, QStringLiteral("1e300"));
        f->BitBtn1Click();
        QCOMPARE(catcher.LastText(), QStringLiteral("'1e300' is not a valid floating point value\n"
                                                    "Vertex 2: row 4, column 2 (Lat.)"));
        QCOMPARE(f->Grid()->currentIndex(), f->GridModel()->index(3, 1));
        QVERIFY(!accepted);
    }

    void enterAppendsRowsOnlyFromAFilledBottomRightCell() {
        auto f = Make();
        // Any file dialog is cancelled at once: Enter must not reach "Open".
        test::MessageCatcher catcher;
        f->show();
        QVERIFY(QTest::qWaitForWindowActive(f.get()));
        VertexGridView* g = f->Grid();
        g->setFocus();
        QTest::keyClick(g, Qt::Key_Return);
        QCOMPARE(state.vertexTable.RowCount(), 7); // CanAddRow starts false

        f->GridModel()->WriteCell(6, 6, QStringLiteral("5"));
        g->setCurrentIndex(f->GridModel()->index(6, 6));
        QVERIFY(f->CanAddRow);
        QTest::keyClick(g, Qt::Key_Return);
        QTest::keyClick(g, Qt::Key_Enter);
        QCOMPARE(state.vertexTable.RowCount(), 9);
        g->setCurrentIndex(f->GridModel()->index(8, 6)); // the new, empty bottom-right cell
        QVERIFY(!f->CanAddRow);
        QTest::keyClick(g, Qt::Key_Return);
        QCOMPARE(state.vertexTable.RowCount(), 9);
        // Any other cell leaves the flag as it is.
        f->GridModel()->WriteCell(8, 6, QStringLiteral("1"));
        g->setCurrentIndex(f->GridModel()->index(3, 2));
        QVERIFY(!f->CanAddRow);
        QVERIFY(catcher.dialogs.isEmpty());
        QVERIFY(f->isVisible());
    }

    void typedVerticesAreReadAndEnableOk() {
        auto f = Make();
        f->show();
        QVERIFY(!Button(*f, "BitBtn1")->isEnabled());
        const char* cells[] = {"28", "36", "50", "77", "12", "30"};
        for (int c = 1; c <= 6; ++c) {
            QVERIFY(f->GridModel()->setData(f->GridModel()->index(2, c),
                                            QString::fromLatin1(cells[c - 1]), Qt::EditRole));
        }
        QVERIFY(!f->GridModel()->setData(f->GridModel()->index(1, 1), QStringLiteral("x"),
                                         Qt::EditRole));
        QCOMPARE(state.vertexTable.VertexCount, 1);
        QVERIFY(Button(*f, "BitBtn1")->isEnabled());
        f->BitBtn1Click();
        QVERIFY(accepted);
        QCOMPARE(accepted->feature.Vertices[0].Lat, (DmsAngle{28, 36, 50}));

        // Decimal degrees typed under the headings: the first data row is the
        // first vertex, the heading row is no vertex.
        accepted.reset();
        Decimal(*f)->setChecked(true);
        Button(*f, "BitBtn3")->click();
        f->PasteText(QStringLiteral("28.5\t77.25\n28.75\t77.5\n"));
        QCOMPARE(Cell(1, 1), std::string("Deg. Decimal"));
        f->BitBtn1Click();
        QVERIFY(accepted);
        QCOMPARE(accepted->feature.VertexCount, 2);
        QCOMPARE(accepted->feature.Vertices[0].Lat, (DmsAngle{28, 30, 0}));
        QCOMPARE(accepted->feature.Vertices[1].Long, (DmsAngle{77, 30, 0}));
        // A bad one is named where it stands.
        accepted.reset();
        test::MessageCatcher catcher;
        f->PasteText(QStringLiteral("28.5\t77.25\n28,75x\t77.5\n"));
        f->BitBtn1Click();
        QVERIFY(!accepted);
        QVERIFY2(catcher.LastText().endsWith(QStringLiteral("Vertex 2: row 4, column 2 (Lat.)")),
                 qPrintable(catcher.LastText()));
        QCOMPARE(f->Grid()->currentIndex(), f->GridModel()->index(3, 1));
    }

    // Clear leaves a new grid: the headings, five empty vertex rows, no vertex
    // to read; rows pasted next are the only vertices.
    void clearEmptiesTheRowsAndTheVertexCount() {
        auto f = Make();
        f->show();
        f->OpenFile(OpenFilter{1}, Data("route.txt"));
        f->PasteText(QStringLiteral("1\t28\t36\t50\t77\t12\t30\n2\t28\t37\t0\t77\t13\t0\n"));
        Button(*f, "BitBtn3")->click();
        QVERIFY(!state.InputFileOpened);
        QCOMPARE(Cell(1, 0), std::string("Lat."));
        QCOMPARE(Cell(1, 1), std::string("Deg."));
        QCOMPARE(Cell(6, 1), std::string("Sec."));
        QCOMPARE(Cell(0, 2), std::string());
        QCOMPARE(Cell(6, 4), std::string());
        QCOMPARE(state.vertexTable.RowCount(), 7);
        QCOMPARE(f->GridModel()->rowCount(), 7);
        QCOMPARE(state.vertexTable.VertexCount, 0);
        QVERIFY(f->findChild<QLabel*>(QStringLiteral("Label1"))->text().isEmpty());
        QVERIFY(!Button(*f, "BitBtn1")->isEnabled());

        // Fewer rows than the file had: exactly those are read.
        f->PasteText(QStringLiteral("28\t36\t50\t77\t12\t30\n29\t0\t0\t78\t0\t0\n"));
        QCOMPARE(state.vertexTable.VertexCount, 2);
        QVERIFY(Button(*f, "BitBtn1")->isEnabled());
        f->BitBtn1Click();
        QVERIFY(accepted);
        QCOMPARE(accepted->feature.VertexCount, 2);
        QCOMPARE(accepted->feature.Vertices[1].Lat, (DmsAngle{29, 0, 0}));

        // In decimal mode the heading a reader wrote over comes back.
        f->OpenFile(OpenFilter{3}, Data("polygon.kml"));
        QCOMPARE(Cell(1, 1), std::string("28.5"));
        Button(*f, "BitBtn3")->click();
        QCOMPARE(Cell(1, 1), std::string("Deg. Decimal"));
        QCOMPARE(Cell(2, 1), std::string("Deg. Decimal"));
        QCOMPARE(Cell(1, 2), std::string());
        QCOMPARE(state.vertexTable.VertexCount, 0);
    }

    // Tab walks the cells a vertex is typed into, row by row, and goes on to
    // the buttons after the last one; every button is reached and has a key.
    void keyboardWalkTypesEveryCellAndReachesTheButtons() {
        auto f = Make();
        test::MessageCatcher catcher;
        f->show();
        QVERIFY(QTest::qWaitForWindowActive(f.get()));
        VertexGridView* g = f->Grid();
        g->setFocus();
        QTRY_VERIFY(g->hasFocus());
        QCOMPARE(g->currentIndex(), f->GridModel()->index(2, 1)); // the first data cell
        // Two rows typed cell by cell; each Tab commits the cell and moves on.
        const QStringList typed{"28", "36", "50", "77", "12", "30", "29", "0", "0", "78", "0", "0"};
        for (const QString& text : typed) {
            Type(text);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(Cell(1, 2), std::string("28"));
        QCOMPARE(Cell(6, 2), std::string("30"));
        QCOMPARE(Cell(1, 3), std::string("29")); // not the label cell of row 3
        QCOMPARE(Cell(0, 3), std::string());
        QCOMPARE(Cell(6, 3), std::string("0"));
        QCOMPARE(state.vertexTable.VertexCount, 2);
        QCOMPARE(g->currentIndex(), f->GridModel()->index(4, 1));
        // Shift+Tab walks back over the label column.
        QTest::keyClick(g, Qt::Key_Backtab);
        QCOMPARE(g->currentIndex(), f->GridModel()->index(3, 6));
        // Typing on a label cell goes into the first cell of its row.
        g->setCurrentIndex(f->GridModel()->index(4, 0));
        Type(QStringLiteral("31"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(Cell(0, 4), std::string());
        QCOMPARE(Cell(1, 4), std::string("31"));
        f->GridModel()->WriteCell(4, 1, QString());
        state.vertexTable.VertexCount = 2;

        // From the grid's last cell Tab leaves the grid: Clear, Open, OK, Cancel.
        g->setCurrentIndex(f->GridModel()->index(6, 6));
        Type(QStringLiteral("5"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(Cell(6, 6), std::string("5"));
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(Button(*f, "BitBtn3")));
        for (const char* next : {"OKBtn", "BitBtn1", "BitBtn2"}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(Button(*f, next)));
        }
        for (const char* name : {"BitBtn3", "OKBtn", "BitBtn1", "BitBtn2"}) {
            QVERIFY2(Button(*f, name)->toolTip().contains(QLatin1Char('(')), name);
        }

        // The keys: Ctrl+O runs the open box, Ctrl+Enter is OK.
        QTest::keyClick(f.get(), Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(catcher.dialogs, QStringList{QStringLiteral("OpenDialog1")});
        f->GridModel()->WriteCell(6, 6, QString()); // the stray row 5 would be a bad vertex
        state.vertexTable.VertexCount = 2;
        QTest::keyClick(f.get(), Qt::Key_Return, Qt::ControlModifier);
        QVERIFY(accepted);
        QCOMPARE(accepted->feature.Vertices[1].Long, (DmsAngle{78, 0, 0}));
        QVERIFY(!f->isVisible());
    }

    void splitPasteBlock() {
        QCOMPARE(SplitPasteBlock("1\t2\r\n3\t4\r\n"), (CellBlock{{"1", "2"}, {"3", "4"}}));
        QCOMPARE(SplitPasteBlock("1,2\n3,4"), (CellBlock{{"1", "2"}, {"3", "4"}}));
        // Any tab makes tabs the only separator.
        QCOMPARE(SplitPasteBlock("28,5\t77,25\r"), (CellBlock{{"28,5", "77,25"}}));
        QCOMPARE(SplitPasteBlock("a\n\nb"), (CellBlock{{"a"}, {""}, {"b"}}));
        QCOMPARE(SplitPasteBlock("a\t\tb"), (CellBlock{{"a", "", "b"}}));
        QVERIFY(SplitPasteBlock("").empty());
    }

    void pasteFillsFromTheCurrentCellAndGrowsRows() {
        auto f = Make();
        f->show();
        QVERIFY(QTest::qWaitForWindowActive(f.get()));
        VertexGridView* g = f->Grid();
        g->setCurrentIndex(f->GridModel()->index(5, 1));
        QApplication::clipboard()->setText(QStringLiteral(
            "28\t36\t50\t77\t12\t30\t99\r\n29\t0\t0\t78\t0\t0\r\n30\t1\t2\t79\t3\t4\r\n"));
        g->setFocus();
        QTest::keyClick(g, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(state.vertexTable.RowCount(), 8);
        QCOMPARE(f->GridModel()->rowCount(), 8);
        QCOMPARE(Cell(1, 5), std::string("28"));
        QCOMPARE(Cell(6, 5), std::string("30"));
        QCOMPARE(Cell(7, 5), std::string()); // past the grid's width: dropped
        QCOMPARE(Cell(4, 7), std::string("79"));
        QCOMPARE(state.vertexTable.VertexCount, 6);

        // Ctrl+V with no current cell, the focus anywhere in the dialog: the
        // paste starts at the first data cell.
        g->setCurrentIndex({});
        Decimal(*f)->setFocus();
        QApplication::clipboard()->setText(QStringLiteral("11\t12\n"));
        QTest::keyClick(Decimal(*f), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(Cell(1, 2), std::string("11"));
        QCOMPARE(Cell(2, 2), std::string("12"));

        // A paste onto a fixed cell starts at the first editable one.
        g->setCurrentIndex(f->GridModel()->index(0, 0));
        f->PasteText(QStringLiteral("1,2"));
        QCOMPARE(Cell(1, 2), std::string("1"));
        QCOMPARE(Cell(2, 2), std::string("2"));
        QCOMPARE(Cell(1, 0), std::string("Lat."));
    }

    void cancelAndEscapeChangeNothing() {
        auto f = Make();
        f->OpenFile(OpenFilter{1}, Data("route.txt"));
        f->show();
        QVERIFY(QTest::qWaitForWindowActive(f.get()));
        Button(*f, "BitBtn2")->click();
        QVERIFY(!f->isVisible());
        f->show();
        QVERIFY(QTest::qWaitForWindowActive(f.get()));
        QTest::keyClick(f.get(), Qt::Key_Escape);
        QVERIFY(!f->isVisible());
        QVERIFY(!accepted);
        QVERIFY(state.InputFileOpened);
        QCOMPARE(state.vertexTable.VertexCount, 3);
    }
};

} // namespace sw::gui

QTEST_MAIN(sw::gui::PolyInputFormTest)
#include "PolyInputFormTest.moc"

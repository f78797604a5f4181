// The main window: start-up state, the series and scale rules, the commands and
// their enabling, the zoom, the pointer readout, the computation on its worker
// and "Save Layout".

#include "view/MainForm.h"
#include "HeldComputations.h"
#include "WindowFixture.h"

#include "../dialogs/MessageCatcher.h"
#include "coverage/Coverage.h"
#include "exchange/FormatRegistry.h"
#include "exchange/KmlFile.h"
#include "exchange/ShapeFile.h"
#include "gui/CoreText.h"
#include "index/SheetNumber.h"
#include "view/LayoutSaving.h"
#include "view/SaveLayoutFlow.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace sw;
using namespace sw::gui;

namespace {

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

Feature PointAt(int latD, int latM, int lonD, int lonM) {
    return MakePointFeature(DmsAngle{latD, latM, 0}, DmsAngle{lonD, lonM, 0});
}

} // namespace

class MainFormTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TMainForm> form;

    QToolButton* Button(const char* name) {
        return form->findChild<QToolButton*>(QString::fromLatin1(name));
    }
    QComboBox* Combo(const char* name) {
        return form->findChild<QComboBox*>(QString::fromLatin1(name));
    }
    void EnterPoint(int latD = 24, int latM = 3, int lonD = 72, int lonM = 3) {
        form->AcceptFeature(PointAt(latD, latM, lonD, lonM), false, false);
        QVERIFY(form->WaitForComputation());
    }

private slots:
    void init() {
        form = test::ShowMainForm();
        QVERIFY(form != nullptr);
    }
    void cleanup() { form.reset(); }

    void startUpState() {
        const Settings& s = form->State().settings;
        QCOMPARE(form->windowTitle(), QStringLiteral("Sheetwright"));
        QCOMPARE(s.MapSeries, Series::OldSeries);
        QCOMPARE(s.ScaleIndex, 4);
        QCOMPARE(s.ScaleText, std::string("1:50,000"));
        QCOMPARE(s.SheetWidthSec, 900);
        QCOMPARE(s.LabelFontSize, 11);
        QCOMPARE(s.SheetPixelHeight, 70);
        QCOMPARE(s.DataType, DataKind::Point);
        QCOMPARE(form->findChild<QLabel*>(QStringLiteral("DataTypeLabel"))->text(),
                 QStringLiteral("Point/Location"));
        // At the design width the settings panel keeps its one row.
        QCOMPARE(form->findChild<QWidget*>(QStringLiteral("Panel2"))->height(), 35);
        QCOMPARE(Combo("ComboBox1")->currentText(), QStringLiteral("1:50,000"));
        QCOMPARE(Combo("ComboBox1")->count(), 5);
        QCOMPARE(Combo("ComboBox2")->currentText(),
                 QStringLiteral("OLD MAPS  (Topographical Maps)"));
        QCOMPARE(form->State().feature.FeatureLoaded, 0);
        QVERIFY(form->LayoutImage() == nullptr);
        QVERIFY(!Button("SaveBtn")->isEnabled());
        QVERIFY(form->Limits().MaxBitmapSize > 0); // probed when first shown
        for (const char* name : {"ToolBar1", "Panel2", "Label2", "ComboBox1", "ComboBox2",
                                 "ScrollBox1", "StatusBar1", "SaveDialog1"}) {
            QVERIFY2(form->findChild<QWidget*>(QString::fromLatin1(name)) != nullptr, name);
        }
        const QStringList captions{"Data Type",     "Sheet No.", "Report",   "Save Layout", "Clear",
                                   "Fit to Screen", "Zoom In",   "Zoom out", "About",       "Exit"};
        const char* names[] = {"SpeedButton1", "PointBtn",  "ReportBtn",  "SaveBtn",  "ClearBtn",
                               "SpeedButton4", "ZoominBtn", "ZoomoutBtn", "Aboutbtn", "exitbtn"};
        for (int i = 0; i < 10; ++i) {
            QToolButton* b = Button(names[i]);
            QVERIFY2(b != nullptr, names[i]);
            QCOMPARE(b->text(), captions[i]);
            QVERIFY(!b->icon().isNull());
            // 101 x 39 where the bar has room; at the design width of 1016 the
            // ten buttons and the separator need 1018, so they share the bar.
            QCOMPARE(b->height(), 39);
            QVERIFY(b->width() <= 101);
            QVERIFY(b->width() >= b->fontMetrics().horizontalAdvance(b->text()));
        }
        QCOMPARE(form->findChild<QLabel*>(QStringLiteral("Label2"))->text(),
                 QStringLiteral("SCALE"));
    }

    void seriesSwitchKeepsTheScale() {
        form->ComboBox2Change(1);
        const Settings& s = form->State().settings;
        QCOMPARE(s.MapSeries, Series::OpenSeries);
        QCOMPARE(s.ScaleIndex, 3);
        QCOMPARE(Combo("ComboBox1")->currentText(), QStringLiteral("1:50,000"));
        QCOMPARE(Combo("ComboBox1")->count(), 6);
        QCOMPARE(s.LabelFontSize, 9);
        form->ComboBox2Change(0);
        QCOMPARE(s.ScaleIndex, 4);
        QCOMPARE(s.LabelFontSize, 11);
        // Old 1:1,25,000 becomes open 1:2,50,000.
        form->ComboBox1Change(2);
        QCOMPARE(s.ScaleText, std::string("1:1,25,000"));
        form->ComboBox2Change(1);
        QCOMPARE(s.ScaleIndex, 2);
        QCOMPARE(s.ScaleText, std::string("1:2,50,000"));
        // Open 1:2000 has no old counterpart: the old series' finest scale, never an empty box.
        form->ComboBox1Change(5);
        form->ComboBox2Change(0);
        QCOMPARE(s.ScaleIndex, 5);
        QCOMPARE(Combo("ComboBox1")->currentText(), QStringLiteral("1:25,000"));
        QCOMPARE(s.LabelFontSize, 9);
        // Without a feature nothing is computed and no image is made.
        QVERIFY(form->LayoutImage() == nullptr);
        QVERIFY(!form->Computing());
    }

    void pointDrawsItsSheet() {
        EnterPoint();
        const QImage* img = form->LayoutImage();
        QVERIFY(img != nullptr);
        QCOMPARE(img->size(), QSize(280, 280));
        QVERIFY(form->LayoutDrawn());
        QCOMPARE(form->PanelText(1), QStringLiteral("Total Sheets 1"));
        // The progress text ended with the computation.
        QCOMPARE(form->PanelText(0), QString());
        QCOMPARE(form->State().feature.FeatureLoaded, 1);
        QCOMPARE(form->State().grid.SheetCount, 1);
        QCOMPARE(img->pixel(119, 161), qRgb(255, 0, 0));
        QVERIFY(Button("SaveBtn")->isEnabled());
        // "Report" follows the loaded feature at once, without an activation.
        QVERIFY(Button("ReportBtn")->isEnabled());
        QVERIFY(!form->findChild<QProgressBar*>(QStringLiteral("ProgressBar"))->isVisible());
        // A second paint draws nothing: the highlight drawn onto the image survives it.
        form->Image1MouseMove(140, 140);
        const QImage highlighted = *form->LayoutImage();
        form->FormPaint();
        form->repaint();
        QVERIFY(*form->LayoutImage() == highlighted);
    }

    void vertexDialogEnablesReportAndFits() {
        std::vector<VertexRec> line{{DmsAngle{24, 3, 0}, DmsAngle{72, 3, 0}},
                                    {DmsAngle{25, 40, 0}, DmsAngle{74, 50, 0}}};
        form->State().settings.DataType = DataKind::Polyline;
        form->AcceptFeature(MakeVertexFeature(line, false), true, true);
        QVERIFY(form->WaitForComputation());
        QVERIFY(Button("ReportBtn")->isEnabled());
        QVERIFY(form->LayoutImage() != nullptr);
        const QSize client = form->findChild<QWidget*>(QStringLiteral("ScrollBox1"))->size();
        QVERIFY(form->LayoutImage()->width() <= client.width());
        QVERIFY(form->LayoutImage()->height() <= client.height());
        QVERIFY(form->State().settings.SheetPixelHeight < 70);
    }

    void zoomBounds() {
        // Nothing happens before a feature.
        form->ZoominBtnClick();
        form->ZoomoutBtnClick();
        QCOMPARE(form->State().settings.SheetPixelHeight, 70);
        QVERIFY(form->LayoutImage() == nullptr);

        EnterPoint();
        for (int i = 0; i < 14; ++i) {
            form->ZoominBtnClick();
        }
        QCOMPARE(form->State().settings.SheetPixelHeight, 140);
        QCOMPARE(form->LayoutImage()->size(), QSize(140 * 4, 140 * 4));
        form->ZoominBtnClick();
        QCOMPARE(form->State().settings.SheetPixelHeight, 140);
        // A left click at 140 does nothing either.
        form->Image1MouseDown(Qt::LeftButton);
        QCoreApplication::processEvents();
        QCOMPARE(form->State().settings.SheetPixelHeight, 140);
        for (int i = 0; i < 40; ++i) {
            form->ZoomoutBtnClick();
        }
        QCOMPARE(form->State().settings.SheetPixelHeight, 5);
        form->Image1MouseDown(Qt::RightButton);
        QCoreApplication::processEvents();
        QCOMPARE(form->State().settings.SheetPixelHeight, 5);
        // Zooming redraws but does not recompute.
        QCOMPARE(form->State().grid.SheetList[0].InFlag, 1);
        QCOMPARE(form->PanelText(1), QStringLiteral("Total Sheets 1"));
    }

    void clickZoomWaitsForTheHandler() {
        EnterPoint();
        form->Image1MouseDown(Qt::LeftButton);
        QCOMPARE(form->State().settings.SheetPixelHeight, 70); // not inside the handler
        QCoreApplication::processEvents();
        QCOMPARE(form->State().settings.SheetPixelHeight, 75);
        QCOMPARE(form->LayoutImage()->height(), 75 * 3 + 75);
        // A real click on the image widget.
        auto* view = form->findChild<QWidget*>(QStringLiteral("LayoutImage"));
        QVERIFY(view != nullptr);
        QTest::mouseClick(view, Qt::RightButton, {}, QPoint(10, 10));
        QCoreApplication::processEvents();
        QCOMPARE(form->State().settings.SheetPixelHeight, 70);
    }

    void fitToScreenWithoutAFeature() {
        form->SpeedButton4Click();
        const QImage* img = form->LayoutImage();
        QVERIFY(img != nullptr);
        QCOMPARE(img->size(), QSize(210, 210)); // two by two ring cells plus the margin
        QVERIFY(!form->LayoutDrawn());          // the paint draws nothing on it
        QCOMPARE(img->pixel(0, 0), qRgb(0, 0, 0));
        QCOMPARE(img->pixel(105, 105), qRgb(255, 255, 255));
        // Centred in the scroll box.
        auto* view = form->findChild<QWidget*>(QStringLiteral("LayoutImage"));
        const QWidget* viewport = view->parentWidget();
        QVERIFY(qAbs(view->x() - (viewport->width() / 2 - 105)) <= 1);
        // Over a blank image only the position is read out.
        form->Image1MouseMove(105, 105);
        QVERIFY(!form->PanelText(2).isEmpty());
        QCOMPARE(form->HighlightIndex(), -1);
    }

    void clearDropsTheImageAndCallsTheVertexClear() {
        int vertexClears = 0;
        DialogSet d;
        d.ClearVertexInput = [&vertexClears] { ++vertexClears; };
        form->SetDialogs(d);
        form->ClearBtnClick(); // no image: the vertex grid is left alone
        QCOMPARE(vertexClears, 0);

        EnterPoint();
        form->ZoominBtnClick();
        form->FormActivate();
        form->setWindowTitle(QStringLiteral("/data/route.txt"));
        form->Image1MouseMove(140, 140);
        QVERIFY(!form->PanelText(0).isEmpty());
        form->ClearBtnClick();
        QCOMPARE(vertexClears, 1);
        QVERIFY(form->LayoutImage() == nullptr);
        QCOMPARE(form->State().settings.SheetPixelHeight, 70);
        QCOMPARE(form->State().feature.FeatureLoaded, 0);
        QVERIFY(!Button("SaveBtn")->isEnabled());
        QVERIFY(!Button("ReportBtn")->isEnabled());
        // The sheet list stays; the caption, sheet and total of the feature
        // that is gone do not.
        QCOMPARE(form->State().grid.SheetCount, 1);
        QCOMPARE(form->PanelText(1), QString());
        QCOMPARE(form->PanelText(0), QString());
        QCOMPARE(form->windowTitle(), QStringLiteral("Sheetwright"));
        // Fit to Screen now frames the last computed grid, blank.
        form->SpeedButton4Click();
        QCOMPARE(form->LayoutImage()->size(), QSize(280, 280));
        QVERIFY(!form->LayoutDrawn());
    }

    void pointerReadoutAndHighlight() {
        form->AcceptFeature(PointAt(24, 15, 72, 3), false, false); // on a sheet edge: two rows
        QVERIFY(form->WaitForComputation());
        QCOMPARE(form->State().grid.SheetCount, 2);
        const QImage drawn = *form->LayoutImage();
        form->Image1MouseMove(105, 105);
        QCOMPARE(form->HighlightIndex(), 0);
        QCOMPARE(form->PanelText(1), QStringLiteral(" 1/2 IN"));
        QVERIFY(form->PanelText(2).startsWith(
            QStringLiteral(" Lat: 24\u00B030'00\" Long: 72\u00B000'00\"")));
        QVERIFY(
            form->PanelText(0).contains(QStringLiteral("(Lat:24\u00B015'00\"-24\u00B030'00\" ")));
        // Into cell 1: cell 0 is exactly as drawn again.
        form->Image1MouseMove(120, 190);
        QCOMPARE(form->HighlightIndex(), 1);
        QCOMPARE(form->PanelText(1), QStringLiteral(" 2/2 IN"));
        const QImage now = *form->LayoutImage();
        QCOMPARE(now.copy(105, 105, 71, 71), drawn.copy(105, 105, 71, 71));
        QVERIFY(now != drawn);
        // Left of the block, on the neighbour ring: the neighbour is read out,
        // numbered as the drawing labels it; the highlight stays where it was.
        const QString p2 = form->PanelText(2);
        form->Image1MouseMove(104, 190);
        const Settings& s = form->State().settings;
        const QString west = FromCore(SheetNumber(s, DmsAngle{71, 45, 0}, DmsAngle{24, 0, 0}));
        QCOMPARE(form->PanelText(0), QStringLiteral(" %1 (Lat:24\u00B000'00\"-24\u00B015'00\" "
                                                    "Long:71\u00B045'00\"-72\u00B000'00\")")
                                         .arg(west));
        QCOMPARE(form->PanelText(1), QStringLiteral(" Neighbour sheet"));
        QVERIFY(form->PanelText(2) != p2);
        QCOMPARE(form->HighlightIndex(), 1);
        // Over the margin the readout says nothing.
        form->Image1MouseMove(3, 190);
        for (int panel = 0; panel < 3; ++panel) {
            QCOMPARE(form->PanelText(panel), QString());
        }
        QCOMPARE(form->HighlightIndex(), 1);
    }

    void scaleChangeRecomputes() {
        EnterPoint();
        form->ComboBox1Change(4); // 1:25,000
        QVERIFY(form->Computing());
        QVERIFY(!Combo("ComboBox1")->isEnabled());
        QVERIFY(form->WaitForComputation());
        QCOMPARE(form->State().settings.SheetWidthSec, 450);
        QCOMPARE(form->State().settings.ScaleText, std::string("1:25,000"));
        QCOMPARE(form->State().grid.SheetCount, 1);
        QCOMPARE(form->State().grid.GridWestSec, 72 * 3600);
        QCOMPARE(form->State().grid.GridNorthSec, 24 * 3600 + 450);
        QVERIFY(form->LayoutDrawn());
        QVERIFY(Combo("ComboBox1")->isEnabled());
    }

    void escapeCancelsAndThePreviousResultStays() {
        EnterPoint();
        const SheetGrid before = form->State().grid;
        // Open 1:2000 sheets are 36 seconds: a 10 degree line gives a million cells.
        form->ComboBox2Change(1);
        QVERIFY(form->WaitForComputation());
        form->ComboBox1Change(5);
        QVERIFY(form->WaitForComputation());
        const SheetGrid small = form->State().grid;
        const Settings settings = form->State().settings;
        std::vector<VertexRec> line{{DmsAngle{20, 0, 10}, DmsAngle{70, 0, 10}},
                                    {DmsAngle{30, 0, 10}, DmsAngle{71, 0, 10}}};
        const test::HeldComputations held; // cancelled below
        form->AcceptFeature(MakeVertexFeature(line, false), false, true);
        QVERIFY(form->Computing());
        QVERIFY(!Button("ClearBtn")->isEnabled());
        QVERIFY(!Button("ZoominBtn")->isEnabled());
        QVERIFY(!Button("PointBtn")->isEnabled());
        QVERIFY(Button("exitbtn")->isEnabled());
        QTest::keyClick(form.get(), Qt::Key_Escape);
        QVERIFY(form->WaitForComputation());
        QCOMPARE(form->State().grid.SheetList, small.SheetList);
        QCOMPARE(form->State().grid.SheetCount, small.SheetCount);
        QCOMPARE(form->State().feature.Vertices.size(), std::size_t{2});
        QCOMPARE(form->State().feature.Vertices[0].Lat, (DmsAngle{24, 3, 0}));
        QCOMPARE(form->State().settings.ScaleIndex, settings.ScaleIndex);
        QVERIFY(Button("ClearBtn")->isEnabled());
        // The point before the cancelled line is still loaded: its report can be shown.
        QVERIFY(Button("ReportBtn")->isEnabled());
        (void)before;
    }

    void tooLargeImageIsRefused() {
        test::MessageCatcher catcher;
        form->SetImageLimits(ImageLimits{32, 1000});
        form->AcceptFeature(PointAt(24, 3, 72, 3), false, false);
        QVERIFY(form->WaitForComputation());
        QVERIFY(form->LayoutImage() == nullptr);
        QCOMPARE(form->State().feature.FeatureLoaded, 0);
        QCOMPARE(form->State().settings.SheetPixelHeight, 20); // ten attempts: 50 lower
        QCOMPARE(catcher.boxes.size(), std::size_t{1});
        QCOMPARE(catcher.boxes[0].text,
                 QStringLiteral("Data extent too large! Try with smaller area or smaller scale"));
        QCOMPARE(catcher.boxes[0].title, QStringLiteral("Sheetwright"));
        // "Save Layout" is still enabled, and a picture says why there is nothing to save.
        QVERIFY(Button("SaveBtn")->isEnabled());
        QTemporaryDir dir;
        form->SaveLayoutTo(SaveBoxPosition("jpeg"), dir.filePath(QStringLiteral("x.jpg")));
        QCOMPARE(catcher.LastText(),
                 QStringLiteral("There is no layout to save. Enter a feature first."));
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("x.jpg"))));
    }

    void savesEveryFormat() {
        EnterPoint();
        form->Image1MouseMove(140, 140); // the pictures keep the highlight
        QTemporaryDir dir;
        const QString kml = dir.filePath(QStringLiteral("layout.bmp"));
        form->SaveLayoutTo(SaveBoxPosition("kml"), kml);
        QCOMPARE(
            ReadAll(dir.filePath(QStringLiteral("layout.kml"))),
            QByteArray::fromStdString(KmlDocument(form->State().settings, form->State().grid)));
        form->SaveLayoutTo(SaveBoxPosition("shapefile"), dir.filePath(QStringLiteral("grid")));
        QCOMPARE(
            ReadAll(dir.filePath(QStringLiteral("grid.shp"))),
            QByteArray::fromStdString(ShpFileBytes(form->State().settings, form->State().grid)));
        QCOMPARE(ReadAll(dir.filePath(QStringLiteral("grid.dbf"))),
                 QByteArray::fromStdString(DbfFileBytes(form->State().grid)));
        form->SaveLayoutTo(SaveBoxPosition("jpeg"), dir.filePath(QStringLiteral("picture")));
        const QImage jpg(dir.filePath(QStringLiteral("picture.jpg")));
        QCOMPARE(jpg.size(), QSize(280, 280));
        QVERIFY(qBlue(jpg.pixel(150, 110)) < 100); // yellow highlight
        form->SaveLayoutTo(SaveBoxPosition("bitmap"), dir.filePath(QStringLiteral("picture")));
        const QImage bmp(dir.filePath(QStringLiteral("picture.bmp")));
        QCOMPARE(bmp.size(), QSize(280, 280));
        QCOMPARE(bmp.pixel(150, 110), qRgb(255, 255, 0));
        QCOMPARE(bmp.pixel(0, 0), qRgb(0, 0, 0));
        QCOMPARE(bmp.pixel(105, 130), qRgb(0, 0, 0)); // the block line, outside the highlight
    }

    // A typed name is written as typed: another entry's extension selects that
    // entry, and the KML and shapefile writers get no extension to replace.
    void typedExtensionSelectsItsEntry() {
        auto* dlg = form->findChild<QFileDialog*>(QStringLiteral("SaveDialog1"));
        QVERIFY(dlg != nullptr);
        QTemporaryDir dir;
        test::MessageCatcher answers;
        QString typed;
        answers.answerDialog = [&](QDialog&) {
            dlg->selectNameFilter(QStringLiteral("KML File (*.kml)"));
            dlg->setDirectory(dir.path());
            dlg->selectFile(dir.filePath(typed));
            return true;
        };
        const auto choose = [&](const char* name) {
            typed = QString::fromLatin1(name);
            return ChooseSaveTarget(*dlg).value_or(SaveTarget{SaveFilter::None, QString()});
        };
        SaveTarget t = choose("mismatch.gpkg");
        QCOMPARE(t.filter, SaveBoxPosition("gpkg"));
        QCOMPARE(QFileInfo(t.path).fileName(), QStringLiteral("mismatch.gpkg"));
        t = choose("Grid.SHP");
        QCOMPARE(t.filter, SaveBoxPosition("shapefile"));
        QCOMPARE(QFileInfo(t.path).fileName(), QStringLiteral("Grid.SHP"));
        t = choose("area.kml");
        QCOMPARE(t.filter, SaveBoxPosition("kml"));
        QCOMPARE(QFileInfo(t.path).fileName(), QStringLiteral("area.kml"));
        t = choose("area.v2");
        QCOMPARE(t.filter, SaveBoxPosition("kml"));
        QCOMPARE(QFileInfo(t.path).fileName(), QStringLiteral("area.v2.kml"));
        QCOMPARE(SaveEntryForName(QStringLiteral("/a.jpg/b")), SaveFilter::None);
        QCOMPARE(SaveEntryForName(QStringLiteral("b.Jpg")), SaveBoxPosition("jpeg"));
    }

    void saveDialogEntryDecidesTheFormat() {
        EnterPoint();
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("chosen.bmp"));
        auto* dlg = form->findChild<QFileDialog*>(QStringLiteral("SaveDialog1"));
        QVERIFY(dlg != nullptr);
        QCOMPARE(dlg->windowTitle(), QStringLiteral("Save Layout As"));
        QCOMPARE(dlg->nameFilters().mid(0, 4),
                 (QStringList{
                     QStringLiteral("KML File (*.kml)"), QStringLiteral("Shape File (*.shp)"),
                     QStringLiteral("JPG File (*.jpg)"), QStringLiteral("Bitmap File (*.bmp)")}));
        QCOMPARE(dlg->nameFilters().size(), 11);
        test::MessageCatcher answers;
        answers.answerDialog = [&dir, dlg](QDialog& box) {
            if (&box != dlg) {
                return false;
            }
            dlg->selectNameFilter(QStringLiteral("JPG File (*.jpg)"));
            dlg->setDirectory(dir.path());
            // Typed into the name field, as a user would.
            auto* name = dlg->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            if (name == nullptr) {
                return false;
            }
            name->setText(QStringLiteral("chosen.bmp"));
            return true;
        };
        form->SaveBtnClick();
        QCOMPARE(answers.dialogs, QStringList{QStringLiteral("SaveDialog1")});
        // The typed extension names another entry: that entry writes, a bitmap.
        QVERIFY(ReadAll(path).startsWith("BM"));
        QCOMPARE(dlg->selectedNameFilter(), QStringLiteral("Bitmap File (*.bmp)"));

        answers.answerDialog = nullptr; // cancelled
        // The bitmap and what places it on the map.
        const QStringList saved{QStringLiteral("chosen.bmp"), QStringLiteral("chosen.bmp.aux.xml"),
                                QStringLiteral("chosen.bpw"), QStringLiteral("chosen.prj")};
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files, QDir::Name), saved);
        form->SaveBtnClick(); // cancelled: nothing written
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files, QDir::Name), saved);
    }
};

QTEST_MAIN(MainFormTest)
#include "MainFormTest.moc"

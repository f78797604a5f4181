// "Save Layout" beyond its four long-standing entries, driven through the
// window's save seam and opened by the programs users read the files with:
// ogrinfo for the GIS formats, pdfinfo and pdftotext for the PDF, gdalinfo for
// the georeferenced pictures; and the question before a huge file.

#include "view/LayoutSaving.h"
#include "coverage/Coverage.h"
#include "exchange/FormatRegistry.h"
#include "view/MainForm.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using namespace sw;
using namespace sw::gui;

namespace {

struct ToolRun {
    bool Ran = false;
    int Status = -1;
    QString Output; // stdout and stderr together
};

ToolRun Run(const QString& tool, const QStringList& args) {
    ToolRun run;
    if (QStandardPaths::findExecutable(tool).isEmpty()) {
        return run;
    }
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(tool, args);
    run.Ran = p.waitForFinished(60000);
    run.Status = p.exitCode();
    run.Output = QString::fromUtf8(p.readAll());
    return run;
}

#define REQUIRE_TOOL(name)                                                                         \
    if (QStandardPaths::findExecutable(QStringLiteral(name)).isEmpty()) {                          \
        QSKIP(name " is not installed");                                                           \
    }

// A triangle over a block of old-series 1:50,000 sheets: some cells IN, some OUT.
Feature Triangle() {
    return MakeVertexFeature({{DmsAngle{28, 35, 0}, DmsAngle{77, 5, 0}},
                              {DmsAngle{28, 35, 0}, DmsAngle{77, 40, 0}},
                              {DmsAngle{29, 5, 0}, DmsAngle{77, 40, 0}}},
                             true);
}

} // namespace

class LayoutSavingTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TMainForm> form;

    void Enter(Feature f) {
        form->AcceptFeature(std::move(f), false, false);
        QVERIFY(form->WaitForComputation());
        QVERIFY(form->LayoutImage() != nullptr);
    }

private slots:
    void init() {
        form = std::make_unique<TMainForm>();
        form->resize(1016, 716);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }
    void cleanup() { form.reset(); }

    void gisEntriesWriteTheGridThatOgrReads() {
        REQUIRE_TOOL("ogrinfo");
        Enter(Triangle());
        const int cells = form->State().grid.SheetCount;
        QVERIFY(cells > 1);
        QTemporaryDir dir;
        for (const char* id : {"gpkg", "geojson", "fgb", "csv", "gml", "sqlite"}) {
            // Typed without extension: the entry's own is put on.
            form->SaveLayoutTo(SaveBoxPosition(id), dir.filePath(QStringLiteral("grid")));
            const QString file = dir.filePath(
                QStringLiteral("grid") + QString::fromLatin1(OutputFormatNamed(id)->Extension));
            QVERIFY2(QFile::exists(file), id);
            const ToolRun run =
                Run(QStringLiteral("ogrinfo"),
                    {QStringLiteral("-ro"), QStringLiteral("-so"), QStringLiteral("-al"), file});
            QVERIFY2(run.Ran && run.Status == 0, qPrintable(run.Output));
            QVERIFY2(run.Output.contains(QStringLiteral("Feature Count: %1").arg(cells)),
                     qPrintable(run.Output));
            QVERIFY2(!run.Output.contains(QStringLiteral("Warning")), qPrintable(run.Output));
            QVERIFY2(run.Output.contains(QStringLiteral("sheet_no")), qPrintable(run.Output));
        }
        // The GeoPackage also holds the entered polygon.
        const ToolRun feature =
            Run(QStringLiteral("ogrinfo"),
                {QStringLiteral("-ro"), QStringLiteral("-so"),
                 dir.filePath(QStringLiteral("grid.gpkg")), QStringLiteral("feature")});
        QVERIFY2(feature.Output.contains(QStringLiteral("Feature Count: 1")),
                 qPrintable(feature.Output));
        QVERIFY2(feature.Output.contains(QStringLiteral("Geometry: Polygon")),
                 qPrintable(feature.Output));
    }

    void pdfEntryWritesOnePageWithTheTitleAndNumbers() {
        REQUIRE_TOOL("pdftotext");
        REQUIRE_TOOL("pdfinfo");
        Enter(Triangle());
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("layout.pdf"));
        form->SaveLayoutTo(SaveBoxPosition("pdf"), pdf);
        const ToolRun info = Run(QStringLiteral("pdfinfo"), {pdf});
        QVERIFY2(info.Status == 0, qPrintable(info.Output));
        QVERIFY2(info.Output.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))),
                 qPrintable(info.Output));
        QVERIFY2(info.Output.contains(QStringLiteral("A4")), qPrintable(info.Output));
        const ToolRun text = Run(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
        QVERIFY2(text.Status == 0, qPrintable(text.Output));
        for (const SheetRec& rec : form->State().grid.SheetList) {
            if (rec.InFlag == 1) {
                const QString number = QString::fromLatin1(std::string(rec.SheetNo.view()));
                QVERIFY2(text.Output.contains(number), qPrintable(number));
            }
        }
        QVERIFY2(text.Output.contains(QStringLiteral("Scale 1:50,000")), qPrintable(text.Output));
        QVERIFY2(text.Output.contains(QDate::currentDate().toString(Qt::ISODate)),
                 qPrintable(text.Output));
    }

    void picturesArePlacedByGdalOnTheGridEdges() {
        REQUIRE_TOOL("gdalinfo");
        Enter(Triangle());
        const SheetGrid& g = form->State().grid;
        const Settings& s = form->State().settings;
        const LayoutGeometry& geo = form->Geometry();
        const double west = g.GridWestSec / 3600.0;
        const double north = g.GridNorthSec / 3600.0;
        const double east = west + g.GridCols * s.SheetWidthSec / 3600.0;
        const double south = north - g.GridRows * s.SheetHeightSec / 3600.0;
        QTemporaryDir dir;
        form->SaveLayoutTo(SaveBoxPosition("jpeg"), dir.filePath(QStringLiteral("l")));
        form->SaveLayoutTo(SaveBoxPosition("bitmap"), dir.filePath(QStringLiteral("l")));
        for (const char* name : {"l.jpg", "l.bmp"}) {
            const ToolRun run =
                Run(QStringLiteral("gdalinfo"),
                    {QStringLiteral("-json"), dir.filePath(QString::fromLatin1(name))});
            QVERIFY2(run.Status == 0, qPrintable(run.Output));
            const QJsonObject info = QJsonDocument::fromJson(run.Output.toUtf8()).object();
            const QJsonArray gt = info.value(QStringLiteral("geoTransform")).toArray();
            QVERIFY2(gt.size() == 6, qPrintable(run.Output));
            QVERIFY(info.value(QStringLiteral("coordinateSystem"))
                        .toObject()
                        .value(QStringLiteral("wkt"))
                        .toString()
                        .contains(QStringLiteral("WGS 84")));
            QCOMPARE(info.value(QStringLiteral("size")).toArray().at(0).toInteger(),
                     static_cast<qint64>(geo.ImageWidth));
            const double a = gt.at(1).toDouble();
            const double e = gt.at(5).toDouble();
            // The block's edges lie on the pixel edges the layout drew them on.
            QVERIFY(std::abs(gt.at(0).toDouble() + geo.GridOriginX * a - west) < std::abs(a) / 2);
            QVERIFY(std::abs(gt.at(0).toDouble() + geo.GridRightX * a - east) < std::abs(a) / 2);
            QVERIFY(std::abs(gt.at(3).toDouble() + geo.GridOriginY * e - north) < std::abs(e) / 2);
            QVERIFY(std::abs(gt.at(3).toDouble() + geo.GridBottomY * e - south) < std::abs(e) / 2);
        }
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral("l.jgw"))));
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral("l.bpw"))));
    }

    void aHugeFileIsWrittenOnlyWhenTheQuestionIsAnsweredYes() {
        Enter(Triangle());
        QStringList asked;
        bool answer = false;
        form->SaveCheck().ThresholdBytes = 1000; // the KML of this grid is a few kilobytes
        form->SaveCheck().Ask = [&](QWidget*, const QString& question) {
            asked.append(question);
            return answer;
        };
        QTemporaryDir dir;
        const QString kml = dir.filePath(QStringLiteral("big.kml"));
        form->SaveLayoutTo(SaveBoxPosition("kml"), dir.filePath(QStringLiteral("big")));
        QCOMPARE(asked.size(), 1);
        QCOMPARE(asked.first(), QStringLiteral("\"%1\" will be about 0 MB. Write it?").arg(kml));
        QVERIFY(!QFile::exists(kml));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 0);

        answer = true;
        form->SaveLayoutTo(SaveBoxPosition("kml"), dir.filePath(QStringLiteral("big")));
        QCOMPARE(asked.size(), 2);
        QVERIFY(QFile::exists(kml));

        // Pictures are bounded by the image limits and not estimated: no question.
        form->SaveLayoutTo(SaveBoxPosition("jpeg"), dir.filePath(QStringLiteral("p.jpg")));
        QCOMPARE(asked.size(), 2);
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral("p.jpg"))));
    }

    void theQuestionNamesTheFileAndItsSize() {
        Settings s = StartSettings();
        SheetGrid g;
        g.GridCols = 1000;
        g.GridRows = 1000;
        g.SheetList.resize(1'000'000);
        const SaveFilter gml = SaveBoxPosition("gml");
        QCOMPARE(LargeSaveQuestion(gml, "/maps/grid", s, g, LargeOutputBytes), QString());
        QCOMPARE(LargeSaveQuestion(gml, "/maps/grid", s, g, 100'000'000),
                 QStringLiteral("\"/maps/grid.gml\" will be about 830 MB. Write it?"));
        QCOMPARE(LargeSaveQuestion(SaveBoxPosition("shapefile"), "/maps/grid.kml", s, g, 1),
                 QStringLiteral("\"/maps/grid.shp\" will be about 155 MB. Write it?"));
        QCOMPARE(LargeSaveQuestion(SaveBoxPosition("bitmap"), "/maps/l.bmp", s, g, 1), QString());
        QCOMPARE(LargeSaveQuestion(SaveFilter{99}, "/maps/l", s, g, 1), QString());
    }
};

QTEST_MAIN(LayoutSavingTest)
#include "LayoutSavingTest.moc"

#include "MessageCatcher.h"

#include "dialogs/ReportCellDelegate.h"
#include "dialogs/ReportForm.h"

#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QFontMetrics>
#include <QMenuBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

namespace sw::gui {

class ReportFormTest : public QObject {
    Q_OBJECT

    Session session;
    AppState& state = session.State();

    std::unique_ptr<TReportForm> Make() {
        DialogHost host;
        host.session = &session;
        return std::make_unique<TReportForm>(host);
    }

    void SetSheets(const std::vector<std::string>& in, const std::vector<std::string>& out = {}) {
        state.grid.SheetList.clear();
        for (const auto& n : in) {
            SheetRec r;
            r.SheetNo = n;
            r.InFlag = 1;
            state.grid.SheetList.push_back(r);
        }
        for (const auto& n : out) {
            SheetRec r;
            r.SheetNo = n;
            state.grid.SheetList.push_back(r);
        }
        state.grid.InSheetCount = static_cast<int32_t>(in.size());
    }

    static QString Cell(const TReportForm& f, int row, int col) {
        const QTableWidgetItem* item = f.Grid()->item(row, col);
        return item ? item->text() : QString();
    }

private slots:
    void init() { state = AppState{}; }

    void fiveSheetPolylineAsShownAndCaptioned() {
        state.settings.DataType = DataKind::Polyline;
        state.InputFileName = "/data/route.txt";
        SetSheets({"54E/1", "53H/5", "53L/4", "53H/1", "53H/2"}, {"53H/3"});
        auto f = Make();
        f->show();
        QCOMPARE(f->windowTitle(), QStringLiteral("Total Sheets - 5 at scale 1:50,000"));
        const QTableWidget* g = f->Grid();
        QCOMPARE(g->objectName(), QStringLiteral("StringGrid1"));
        QCOMPARE(g->columnCount(), 3);
        QCOMPARE(g->rowCount(), 8);
        QCOMPARE(Cell(*f, 0, 0), QStringLiteral(" S.No."));
        QCOMPARE(Cell(*f, 0, 1), QStringLiteral(" Sheet Numbers of 1:50,000 Scale"));
        QCOMPARE(Cell(*f, 0, 2), QStringLiteral("Number of Sheets"));
        QCOMPARE(Cell(*f, 1, 1), QStringLiteral("53H/1,53H/2,53H/5"));
        QCOMPARE(Cell(*f, 1, 2), QStringLiteral("3"));
        QCOMPARE(Cell(*f, 3, 0), QStringLiteral("3"));
        QCOMPARE(Cell(*f, 3, 1), QStringLiteral("54E/1"));
        QCOMPARE(Cell(*f, 4, 1), QStringLiteral("TOTAL SHEETS"));
        QCOMPARE(Cell(*f, 4, 2), QStringLiteral("5"));
        QCOMPARE(Cell(*f, 7, 1), QStringLiteral("Input POLYLINE /data/route.txt"));
        QVERIFY(!(g->item(1, 1)->flags() & Qt::ItemIsEditable));

        // The columns follow the table font's metrics.
        QFont font = g->font();
        font.setPointSize(10);
        const QFontMetrics fm(font);
        const int c0 = fm.horizontalAdvance(QStringLiteral(" S.NO. "));
        const int c2 = fm.horizontalAdvance(QStringLiteral(" Number of Sheets"));
        QCOMPARE(g->columnWidth(0), c0);
        QCOMPARE(g->columnWidth(2), c2);
        QCOMPARE(g->columnWidth(1), 774 - c0 - c2);

        // Every heading is shown whole in its column, not cut to "S…." or
        // "Number of …".
        const QFontMetrics shown(g->font());
        for (int col = 0; col < 3; ++col) {
            const QString heading = Cell(*f, 0, col);
            QCOMPARE(ReportCellDelegate::ShownText(shown, heading, g->columnWidth(col)), heading);
        }
        QVERIFY(dynamic_cast<ReportCellDelegate*>(g->itemDelegate()) != nullptr);

        QStringList menu;
        for (QAction* a : f->findChild<QMenuBar*>()->actions()) {
            menu << a->text();
        }
        QCOMPARE(menu, (QStringList{QStringLiteral("Save As Ms Excel"),
                                    QStringLiteral("Save As Excel Workbook (.xlsx)"),
                                    QStringLiteral("Save As CSV"), QStringLiteral("Save As PDF"),
                                    QStringLiteral("Print\u2026"), QStringLiteral("Close")}));
    }

    void pointLineWithDegreeSignAndNoStaleRowsWhenNothingIsIn() {
        state.feature = MakePointFeature(DmsAngle{24, 1, 0}, DmsAngle{72, 1, 0});
        SetSheets({"46A/1", "46B/1", "47A/1"});
        auto f = Make();
        f->show();
        QCOMPARE(f->Grid()->rowCount(), 8);
        f->hide();

        SetSheets({}, {"#", "#"});
        f->show();
        QCOMPARE(f->Grid()->rowCount(), 7);
        QCOMPARE(Cell(*f, 1, 1), QStringLiteral("TOTAL SHEETS"));
        QCOMPARE(Cell(*f, 1, 2), QStringLiteral("0"));
        QCOMPARE(Cell(*f, 2, 1), QString());
        QCOMPARE(Cell(*f, 4, 1), QString::fromUtf8("Input POINT 24°01'00\" 72°01'00\""));
        QCOMPARE(f->windowTitle(), QStringLiteral("Total Sheets - 0 at scale 1:50,000"));
    }

    void aShownReportIsNotRebuiltUntilShownAgain() {
        SetSheets({"53H/1"});
        auto f = Make();
        f->show();
        SetSheets({"53H/1", "53H/2"});
        f->show(); // already shown: nothing happens
        QCOMPARE(Cell(*f, 1, 2), QStringLiteral("1"));
        f->findChild<QMenuBar*>()->actions().last()->trigger(); // "Close", the last item
        QVERIFY(!f->isVisible());
        f->show();
        QCOMPARE(Cell(*f, 1, 2), QStringLiteral("2"));
    }

    void ctrlCCopiesTheSelectionOrTheWholeTable() {
        state.feature = MakePointFeature(DmsAngle{24, 1, 0}, DmsAngle{72, 1, 0});
        SetSheets({"53H/1", "53H/2"});
        auto f = Make();
        f->show();
        QTableWidget* g = f->Grid();
        g->setFocus();
        QClipboard* cb = QApplication::clipboard();
        const auto copy = [&] {
            cb->setText(QStringLiteral("old"));
            QTest::keySequence(g, QKeySequence::Copy);
            return cb->text();
        };

        // Nothing selected: the whole table, row by row, in the shown texts.
        g->clearSelection();
        QString all;
        for (int row = 0; row < g->rowCount(); ++row) {
            QStringList cells;
            for (int col = 0; col < 3; ++col) {
                cells << Cell(*f, row, col);
            }
            all += cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
        }
        const QString whole = copy();
        QCOMPARE(whole, all);
        QVERIFY(whole.startsWith(
            QStringLiteral(" S.No.\t Sheet Numbers of 1:50,000 Scale\tNumber of Sheets\n")));
        QVERIFY(whole.contains(QString::fromUtf8("Input POINT 24°01'00\" 72°01'00\"")));

        // A selected rectangle: just its cells.
        g->setRangeSelected(QTableWidgetSelectionRange(1, 1, 2, 2), true);
        QCOMPARE(copy(), QStringLiteral("53H/1,53H/2\t2\nTOTAL SHEETS\t2\n"));
        QCOMPARE(g->selectionMode(), QAbstractItemView::ContiguousSelection);

        // A tab or line break in a cell would shift the columns or rows pasted.
        g->item(1, 1)->setText(QStringLiteral("a\tb\nc"));
        g->clearSelection();
        g->setRangeSelected(QTableWidgetSelectionRange(1, 1, 1, 2), true);
        QCOMPARE(copy(), QStringLiteral("a b c\t2\n"));
    }

    void saveWritesTheWorksheetAndAFailureIsShown() {
        SetSheets({"53H/1"});
        auto f = Make();
        f->show();
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("report")); // no extension added
        QVERIFY(f->SaveReport(path));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.startsWith(QByteArray::fromHex("090808000000100000000000")));
        QVERIFY(bytes.endsWith(QByteArray::fromHex("0a000000")));
        QVERIFY(bytes.contains("TOTAL SHEETS"));

        const TextTable before = f->Table();
        test::MessageCatcher catcher;
        QVERIFY(!f->SaveReport(dir.filePath(QStringLiteral("missing/dir/report.xls"))));
        QCOMPARE(catcher.boxes.size(), std::size_t{1});
        QCOMPARE(catcher.boxes[0].title, QStringLiteral("Sheetwright"));
        QVERIFY2(catcher.LastText().startsWith(QStringLiteral("Cannot create file")),
                 qPrintable(catcher.LastText()));
        QVERIFY(f->Table() == before);
    }

    void workbookCsvAndPdfHoldTheTableAndFailuresAreShown() {
        state.feature = MakePointFeature(DmsAngle{28, 36, 50}, DmsAngle{77, 12, 30});
        SetSheets({"53H/1", "53H/2"});
        auto f = Make();
        f->show();
        QTemporaryDir dir;
        const auto read = [&](const QString& name) {
            QFile file(dir.filePath(name));
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        };
        QVERIFY(f->SaveReportAs(TReportForm::ReportFormat::Csv, dir.filePath("r.csv")));
        const QByteArray csv = read(QStringLiteral("r.csv"));
        // The UTF-8 byte order mark first, so spreadsheets read it as UTF-8.
        QVERIFY(csv.startsWith("\xEF\xBB\xBF S.No.,\" Sheet Numbers of 1:50,000 Scale\",Number of "
                               "Sheets\r\n"
                               "1,\"53H/1,53H/2\",2\r\n"));
        // The degree sign in UTF-8.
        QVERIFY2(csv.contains("Input POINT 28\xC2\xB0"
                              "36'50"),
                 csv.constData());

        QVERIFY(f->SaveReportAs(TReportForm::ReportFormat::Xlsx, dir.filePath("r.xlsx")));
        QVERIFY(read(QStringLiteral("r.xlsx")).startsWith("PK"));
        QVERIFY(f->SaveReportAs(TReportForm::ReportFormat::Pdf, dir.filePath("r.pdf")));
        QVERIFY(read(QStringLiteral("r.pdf")).startsWith("%PDF"));

        test::MessageCatcher catcher;
        QVERIFY(!f->SaveReportAs(TReportForm::ReportFormat::Xlsx,
                                 dir.filePath(QStringLiteral("missing/r.xlsx"))));
        QVERIFY(!f->SaveReportAs(TReportForm::ReportFormat::Pdf,
                                 dir.filePath(QStringLiteral("missing/r.pdf"))));
        QCOMPARE(catcher.boxes.size(), std::size_t{2});
        QVERIFY2(catcher.LastText().contains(QStringLiteral("missing")),
                 qPrintable(catcher.LastText()));
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("missing"))));
    }

    // Each save item offers its own format and adds its extension; a name in
    // another format's extension is asked about; Save and Print have keys.
    void saveItemsOfferTheirOwnFormat() {
        SetSheets({"53H/1"});
        auto f = Make();
        f->show();
        QVERIFY(QTest::qWaitForWindowActive(f.get()));
        QTemporaryDir dir;
        test::MessageCatcher catcher;
        QString typed;
        QStringList filters;
        catcher.answerDialog = [&](QDialog& box) {
            auto* files = qobject_cast<QFileDialog*>(&box);
            if (files == nullptr) {
                return false; // the print box: cancelled
            }
            filters << files->nameFilters();
            files->setDirectory(dir.path());
            files->selectFile(dir.filePath(typed));
            return true;
        };
        const auto bytesOf = [&](const char* name) {
            QFile file(dir.filePath(QString::fromLatin1(name)));
            return file.open(QIODevice::ReadOnly) ? file.read(4) : QByteArray();
        };
        const auto menuItem = [&](const char* name) {
            return f->findChild<QAction*>(QString::fromLatin1(name));
        };

        typed = QStringLiteral("sheets");
        QTest::keyClick(f.get(), Qt::Key_S, Qt::ControlModifier); // "Save As Ms Excel"
        QCOMPARE(bytesOf("sheets.xls"), QByteArray::fromHex("09080800"));
        typed = QStringLiteral("sheets");
        menuItem("SaveAsXlsx1")->trigger();
        QCOMPARE(bytesOf("sheets.xlsx"), QByteArray("PK\x03\x04"));
        menuItem("SaveAsCsv1")->trigger();
        QCOMPARE(bytesOf("sheets.csv"), QByteArray("\xEF\xBB\xBF ")); // the BOM, then " S.No."
        menuItem("SaveAsPdf1")->trigger();
        QCOMPARE(bytesOf("sheets.pdf"), QByteArray("%PDF"));
        QCOMPARE(filters, (QStringList{QStringLiteral("Excel Worksheet (*.xls)"),
                                       QStringLiteral("Excel Workbook (*.xlsx)"),
                                       QStringLiteral("CSV File (*.csv)"),
                                       QStringLiteral("PDF File (*.pdf)")}));
        QVERIFY(catcher.boxes.empty());

        // CSV asked for under a PDF name: "No" writes nothing, "Yes" a PDF.
        typed = QStringLiteral("other.PDF");
        menuItem("SaveAsCsv1")->trigger();
        QCOMPARE(catcher.boxes.size(), std::size_t{1});
        QCOMPARE(catcher.LastText(), QStringLiteral("\"other.PDF\" ends in .PDF, the extension of "
                                                    "PDF files. Save the report as PDF instead "
                                                    "of CSV?"));
        QVERIFY(!QFile::exists(dir.filePath(typed)));
        catcher.answerYes = true;
        menuItem("SaveAsCsv1")->trigger();
        QCOMPARE(bytesOf("other.PDF"), QByteArray("%PDF"));
        // An extension of no report format is the user's own: written as asked.
        typed = QStringLiteral("sheets.txt");
        menuItem("SaveAsCsv1")->trigger();
        QCOMPARE(bytesOf("sheets.txt"), QByteArray("\xEF\xBB\xBF "));
        QCOMPARE(catcher.boxes.size(), std::size_t{2});

        QCOMPARE(menuItem("SaveAsMsExcel1")->shortcut(), QKeySequence(QKeySequence::Save));
        QCOMPARE(menuItem("Print1")->shortcut(), QKeySequence(QKeySequence::Print));
        QTest::keyClick(f.get(), Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(catcher.dialogs.size(), 8);
        QVERIFY(catcher.dialogs.last() != QStringLiteral("SaveReportDialog")); // the print box
    }
};

} // namespace sw::gui

QTEST_MAIN(sw::gui::ReportFormTest)
#include "ReportFormTest.moc"

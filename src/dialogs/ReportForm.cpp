#include "dialogs/ReportForm.h"

#include "dialogs/ReportCellDelegate.h"
#include "dialogs/TableCopy.h"
#include "exchange/ExcelFile.h"
#include "exchange/ReportFiles.h"
#include "exchange/ReportWorkbook.h"
#include "exchange/SafeFile.h"
#include "gui/AppTitle.h"
#include "gui/InterfaceFont.h"
#include "gui/ModalSeam.h"
#include "gui/ReportPages.h"
#include "report/ReportFont.h"
#include "report/ReportTable.h"

#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <QHeaderView>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPrinter>
#include <QShowEvent>
#include <QTableWidget>
#include <QVBoxLayout>

namespace sw::gui {

TReportForm::TReportForm(const DialogHost& host, QWidget* parent) : QDialog(parent), host_(host) {
    setObjectName(QStringLiteral("ReportForm"));
    resize(786, 398);

    menu_ = new QMenuBar(this);
    const auto item = [this](const char* caption, const char* name, QKeySequence key = {}) {
        QAction* a = menu_->addAction(QString::fromUtf8(caption));
        a->setObjectName(QString::fromLatin1(name));
        a->setShortcut(key);
        a->setShortcutContext(Qt::WindowShortcut);
        return a;
    };
    // The save items in the order of their formats' age, then printing, and
    // "Close" last as a window's menu has it.
    SaveAsMsExcel1 = item("Save As Ms Excel", "SaveAsMsExcel1", QKeySequence::Save);
    SaveAsXlsx1 = item("Save As Excel Workbook (.xlsx)", "SaveAsXlsx1");
    SaveAsCsv1 = item("Save As CSV", "SaveAsCsv1");
    SaveAsPdf1 = item("Save As PDF", "SaveAsPdf1");
    Print1 = item("Print\u2026", "Print1", QKeySequence::Print);
    Close1 = item("Close", "Close1", QKeySequence(Qt::CTRL | Qt::Key_W));

    StringGrid1 = new QTableWidget(this);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->setColumnCount(3);
    StringGrid1->setFont(ReportTableFont());
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid1->setItemDelegate(new ReportCellDelegate(StringGrid1));
    // The heading row and the serial column are cells of the table itself.
    StringGrid1->horizontalHeader()->hide();
    StringGrid1->verticalHeader()->hide();
    // One rectangle at a time, so that what Ctrl+C copies is what is highlighted.
    StringGrid1->setSelectionMode(QAbstractItemView::ContiguousSelection);
    EnableTableCopy(*StringGrid1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setMenuBar(menu_);
    layout->addWidget(StringGrid1);

    connect(SaveAsMsExcel1, &QAction::triggered, this, &TReportForm::SaveAsMsExcel1Click);
    connect(SaveAsXlsx1, &QAction::triggered, this, &TReportForm::SaveAsXlsx1Click);
    connect(SaveAsCsv1, &QAction::triggered, this, &TReportForm::SaveAsCsv1Click);
    connect(SaveAsPdf1, &QAction::triggered, this, &TReportForm::SaveAsPdf1Click);
    connect(Print1, &QAction::triggered, this, &TReportForm::Print1Click);
    connect(Close1, &QAction::triggered, this, &TReportForm::Close1Click);
}

int32_t TReportForm::MeasureText(const std::string& text) const {
    return MeasureReportText(text);
}

void TReportForm::showEvent(QShowEvent* event) {
    // Rebuilt only when going from hidden to shown: a report on screen keeps
    // describing the feature it was opened for.
    if (!event->spontaneous()) {
        BuildTable();
    }
    QDialog::showEvent(event);
}

void TReportForm::BuildTable() {
    const AppState& st = host_.session->State();
    // The name as the file system's bytes decode, in UTF-8 like the whole report.
    const ReportInput in{st.settings, st.grid, st.feature,
                         PathFromCore(st.InputFileName).toStdString()};
    const Report r = BuildReport(
        in, [this](const std::string& t) { return MeasureText(t); }, Page);
    table_ = r.Table;
    report_ = r;

    StringGrid1->clearContents();
    StringGrid1->setRowCount(static_cast<int>(table_.size()));
    const QBrush fixed = QApplication::palette().button();
    for (int row = 0; row < StringGrid1->rowCount(); ++row) {
        const auto& cells = table_[static_cast<std::size_t>(row)];
        for (int col = 0; col < 3; ++col) {
            auto* item = new QTableWidgetItem(
                col < static_cast<int>(cells.size())
                    ? QString::fromStdString(cells[static_cast<std::size_t>(col)])
                    : QString());
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            if (row == 0 || col == 0) {
                item->setBackground(fixed);
            }
            StringGrid1->setItem(row, col, item);
        }
    }
    for (int col = 0; col < 3; ++col) {
        StringGrid1->setColumnWidth(col, r.Columns.Widths[static_cast<std::size_t>(col)]);
    }
    setWindowTitle(QString::fromStdString(r.Caption));
}

bool TReportForm::SaveReport(const QString& path) {
    try {
        WriteReportWorksheet(PathToCore(path), table_);
    } catch (const std::exception& e) {
        ShowError(this, ErrorText(e));
        return false;
    }
    return true;
}

bool TReportForm::SaveReportAs(ReportFormat format, const QString& path) {
    const std::filesystem::path file = PathToCore(path);
    try {
        switch (format) {
        case ReportFormat::Xls:
            // The worksheet of "Save As Ms Excel", which reports its own failure.
            return SaveReport(path);
        case ReportFormat::Xlsx:
            WriteReportXlsxFile(file, table_);
            break;
        case ReportFormat::Csv:
            WriteReportCsvFile(file, table_);
            break;
        case ReportFormat::Pdf: {
            const QByteArray bytes = ReportPdfBytes(report_);
            ReplaceFileContents(
                file, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                WriteFailureText::Runtime);
            break;
        }
        }
    } catch (const std::exception& e) {
        ShowError(this, QString::fromLocal8Bit(e.what()));
        return false;
    }
    return true;
}

void TReportForm::SaveThroughBox(ReportFormat format) {
    if (const std::optional<ReportSaveTarget> target = ChooseReportTarget(this, format)) {
        SaveReportAs(target->format, target->path);
    }
}

void TReportForm::SaveAsMsExcel1Click() {
    SaveThroughBox(ReportFormat::Xls);
}

void TReportForm::SaveAsXlsx1Click() {
    SaveThroughBox(ReportFormat::Xlsx);
}

void TReportForm::SaveAsCsv1Click() {
    SaveThroughBox(ReportFormat::Csv);
}

void TReportForm::SaveAsPdf1Click() {
    SaveThroughBox(ReportFormat::Pdf);
}

void TReportForm::Print1Click() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setDocName(QString::fromStdString(report_.Caption));
    QPrintDialog dialog(&printer, this);
    if (RunModal(dialog)) {
        PaintReportPages(printer, report_);
    }
}

void TReportForm::Close1Click() {
    hide();
}

} // namespace sw::gui

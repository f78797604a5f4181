#pragma once

// The sheet report window: the IN sheets in sorted groups with serial numbers,
// the total and the input line; rebuilt each time it is shown, savable as an
// Excel worksheet, a workbook, CSV or PDF, and printable.

#include "dialogs/ReportSaveChoice.h"
#include "exchange/TextTable.h"
#include "gui/DialogHost.h"
#include "report/ReportColumns.h"
#include "report/ReportTable.h"

#include <QDialog>

class QAction;
class QMenuBar;
class QTableWidget;

namespace sw::gui {

class TReportForm : public QDialog {
    Q_OBJECT

public:
    explicit TReportForm(const DialogHost& host, QWidget* parent = nullptr);

    ReportPage Page;

    // The table as shown (and as saved).
    const TextTable& Table() const { return table_; }
    QTableWidget* Grid() const { return StringGrid1; }
    // Width of a text in the table's font, as the column fitting measures it.
    int32_t MeasureText(const std::string& text) const;

    // Rebuilds the table and caption from the current sheet list.
    void BuildTable();
    // Writes the table as a worksheet under `path`; a failure is shown in a
    // message box and changes nothing. True when written.
    bool SaveReport(const QString& path);
    // The same for any format of the menu, under `path` exactly.
    using ReportFormat = gui::ReportFormat;
    bool SaveReportAs(ReportFormat format, const QString& path);

public slots:
    void Close1Click();
    void SaveAsMsExcel1Click();
    void SaveAsXlsx1Click();
    void SaveAsCsv1Click();
    void SaveAsPdf1Click();
    void Print1Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    // A save item: its box, the name resolved, the file written.
    void SaveThroughBox(ReportFormat format);

    DialogHost host_;
    TextTable table_;
    Report report_; // the table with its caption and column widths, for PDF and printing
    QMenuBar* menu_ = nullptr;
    QAction* SaveAsMsExcel1 = nullptr;
    QAction* SaveAsXlsx1 = nullptr;
    QAction* SaveAsCsv1 = nullptr;
    QAction* SaveAsPdf1 = nullptr;
    QAction* Print1 = nullptr;
    QAction* Close1 = nullptr;
    QTableWidget* StringGrid1 = nullptr;
};

} // namespace sw::gui

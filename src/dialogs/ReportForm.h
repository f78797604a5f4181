#pragma once

// The sheet report window: the IN sheets in sorted groups with serial numbers,
// the total and the input line; rebuilt each time it is shown, savable as an
// Excel worksheet.

#include "dialogs/DialogHost.h"
#include "exchange/TextTable.h"
#include "report/ReportColumns.h"

#include <QDialog>

class QAction;
class QMenuBar;
class QTableWidget;

namespace sw {

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

public slots:
    void Close1Click();
    void SaveAsMsExcel1Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    DialogHost host_;
    TextTable table_;
    QMenuBar* menu_ = nullptr;
    QAction* SaveAsMsExcel1 = nullptr;
    QAction* Close1 = nullptr;
    QTableWidget* StringGrid1 = nullptr;
};

} // namespace sw

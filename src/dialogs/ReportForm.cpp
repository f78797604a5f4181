#include "dialogs/ReportForm.h"

#include "dialogs/TableCopy.h"
#include "exchange/ExcelFile.h"
#include "report/ReportTable.h"
#include "view/AppTitle.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFontMetrics>
#include <QHeaderView>
#include <QMenuBar>
#include <QShowEvent>
#include <QTableWidget>
#include <QVBoxLayout>

namespace sw {

TReportForm::TReportForm(const DialogHost& host, QWidget* parent) : QDialog(parent), host_(host) {
    setObjectName(QStringLiteral("ReportForm"));
    resize(786, 398);

    menu_ = new QMenuBar(this);
    SaveAsMsExcel1 = menu_->addAction(QStringLiteral("Save As Ms Excel"));
    SaveAsMsExcel1->setObjectName(QStringLiteral("SaveAsMsExcel1"));
    Close1 = menu_->addAction(QStringLiteral("Close"));
    Close1->setObjectName(QStringLiteral("Close1"));

    StringGrid1 = new QTableWidget(this);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->setColumnCount(3);
    StringGrid1->setFont(QFont(QStringLiteral("Tahoma"), 10));
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
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
    connect(Close1, &QAction::triggered, this, &TReportForm::Close1Click);
}

int32_t TReportForm::MeasureText(const std::string& text) const {
    QFont f = StringGrid1->font();
    f.setPointSize(10);
    f.setBold(false);
    f.setItalic(false);
    return QFontMetrics(f).horizontalAdvance(FromCore(text));
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
    const ReportInput in{st.settings, st.grid, st.feature,
                         ToCore(QFile::decodeName(QByteArray::fromStdString(st.InputFileName)))};
    const Report r = BuildReport(
        in, [this](const std::string& t) { return MeasureText(t); }, Page);
    table_ = r.Table;

    StringGrid1->clearContents();
    StringGrid1->setRowCount(static_cast<int>(table_.size()));
    const QBrush fixed = QApplication::palette().button();
    for (int row = 0; row < StringGrid1->rowCount(); ++row) {
        const auto& cells = table_[static_cast<std::size_t>(row)];
        for (int col = 0; col < 3; ++col) {
            auto* item = new QTableWidgetItem(col < static_cast<int>(cells.size())
                                                  ? FromCore(cells[static_cast<std::size_t>(col)])
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
    setWindowTitle(FromCore(r.Caption));
}

bool TReportForm::SaveReport(const QString& path) {
    try {
        WriteExcelFile(QFile::encodeName(path).toStdString(), table_);
    } catch (const std::exception& e) {
        ShowError(this, ErrorText(e));
        return false;
    }
    return true;
}

void TReportForm::SaveAsMsExcel1Click() {
    const QString path = QFileDialog::getSaveFileName(this);
    if (!path.isEmpty()) {
        SaveReport(path);
    }
}

void TReportForm::Close1Click() {
    hide();
}

} // namespace sw

#pragma once

// The vertex grid as a Qt table model over the program's VertexTable: rows 0 and
// 1 and column 0 are fixed (shown, selectable, never edited); every other cell
// holds free text, 8-bit in the table.

#include "exchange/VertexTable.h"

#include <QAbstractTableModel>

namespace sw::gui {

class VertexGridModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit VertexGridModel(VertexTable& table, QObject* parent = nullptr);

    static constexpr int FixedRows = 2;
    static constexpr int FixedCols = 1;
    static bool IsFixed(int row, int col) { return row < FixedRows || col < FixedCols; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // After the table was changed behind the model's back (a file read, Clear,
    // a change of mode).
    void Reload();
    // One empty row at the bottom.
    void AppendRow();
    // Empty rows at the bottom until there are `rows`; never shrinks.
    void GrowRows(int rows);
    // Writes a cell (not a fixed one) as typed; false for a fixed or negative cell.
    bool WriteCell(int row, int col, const QString& text);

signals:
    // A cell was written by typing or pasting (not by Reload).
    void CellWritten(int row, int col);

private:
    VertexTable& table_;
};

} // namespace sw::gui

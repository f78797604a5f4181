#include "dialogs/VertexGridModel.h"

#include "gui/AppTitle.h"

#include <QApplication>
#include <QPalette>

namespace sw::gui {

VertexGridModel::VertexGridModel(VertexTable& table, QObject* parent)
    : QAbstractTableModel(parent), table_(table) {}

int VertexGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : table_.RowCount();
}

int VertexGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : table_.ColCount();
}

QVariant VertexGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return {};
    }
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return FromCore(table_.Cell(index.column(), index.row()));
    case Qt::BackgroundRole:
        if (IsFixed(index.row(), index.column())) {
            return QApplication::palette().button();
        }
        return {};
    default:
        return {};
    }
}

bool VertexGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole) {
        return false;
    }
    return WriteCell(index.row(), index.column(), value.toString());
}

bool VertexGridModel::WriteCell(int row, int col, const QString& text) {
    if (row < 0 || col < 0 || IsFixed(row, col)) {
        return false;
    }
    table_.SetCell(col, row, ToCore(text));
    if (row < rowCount() && col < columnCount()) {
        const QModelIndex i = index(row, col);
        emit dataChanged(i, i, {Qt::DisplayRole, Qt::EditRole});
    }
    emit CellWritten(row, col);
    return true;
}

Qt::ItemFlags VertexGridModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (!IsFixed(index.row(), index.column())) {
        f |= Qt::ItemIsEditable;
    }
    return f;
}

void VertexGridModel::Reload() {
    beginResetModel();
    endResetModel();
}

void VertexGridModel::AppendRow() {
    GrowRows(table_.RowCount() + 1);
}

void VertexGridModel::GrowRows(int rows) {
    const int oldCount = table_.RowCount();
    if (rows <= oldCount) {
        return;
    }
    beginInsertRows({}, oldCount, rows - 1);
    table_.SetRowCount(rows);
    endInsertRows();
}

} // namespace sw::gui

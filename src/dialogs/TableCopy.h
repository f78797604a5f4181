#pragma once

// Ctrl+C on a read-only table: the selected rectangle, or the whole table when
// nothing is selected, goes to the clipboard as tab-separated text that
// spreadsheets and text editors take as rows and columns.

#include <QString>

class QTableWidget;

namespace sw::gui {

// The cells of the selection's bounding rectangle (all cells when none is
// selected), row by row: cells joined by a tab, each row ended by a newline. A
// tab or line break inside a cell becomes a blank so that the rows and columns
// read back as they were; a missing item is an empty cell. Empty for an empty table.
QString TableCopyText(const QTableWidget& grid);

// Makes the copy key of `grid` put TableCopyText on the clipboard instead of the
// view's own copy of the current cell alone.
void EnableTableCopy(QTableWidget& grid);

} // namespace sw::gui

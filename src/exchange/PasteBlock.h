#pragma once

// Splitting text copied from a spreadsheet (or a comma-separated file) into rows
// of cells for pasting into the vertex grid. No Qt: plain text in, cells out.

#include <string>
#include <string_view>
#include <vector>

namespace sw {

using CellBlock = std::vector<std::vector<std::string>>;

// Rows end at CR LF, LF or CR; a line break after the last row adds no row.
// Spreadsheets separate cells with tabs, so when the block holds any tab only
// tabs separate; otherwise commas do. That keeps "28,5" one cell in a tab block
// from a locale that writes a decimal comma. Cells are taken as they stand
// (blanks included: the grid's OK trims them).
CellBlock SplitPasteBlock(std::string_view text);

} // namespace sw

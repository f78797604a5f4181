#pragma once

// The printed forms of a computed `sheets` request: the IN sheet numbers as
// text, and every cell as CSV or JSON.

#include "cli/SheetsOutputs.h"
#include "coverage/Coverage.h"

#include <cstdint>
#include <iosfwd>
#include <vector>

namespace sw::cli {

// The IN sheet numbers, one a line, sorted as the report sorts them.
void WriteText(const SheetsResult& r, std::ostream& out);

// One line per cell in list order: index, row, column, sheet number, IN or OUT.
void WriteCsv(const SheetsResult& r, std::ostream& out);

// The request and every cell as one JSON object.
void WriteJson(const SheetsResult& r, std::ostream& out);

// The same three from a grid without its sheet list and the IN flag of each of
// its cells (SheetMask), numbering the cells as they are written: byte for byte
// what the functions above print for the full grid of the same request.
void WriteText(const SheetsResult& r, const CellFlags& in, std::ostream& out);
void WriteCsv(const SheetsResult& r, const CellFlags& in, std::ostream& out);
void WriteJson(const SheetsResult& r, const CellFlags& in, std::ostream& out);

// The report's table from the mask: only the IN cells numbered, into one block
// of text, and grouped from there; the same table as SheetsReportTable(r) of
// the full grid.
TextTable SheetsReportTable(const SheetsResult& r, const CellFlags& in);

// That report printed as PrintReport prints it, grouped straight into the output.
void PrintReport(const SheetsResult& r, const CellFlags& in, std::ostream& out);

} // namespace sw::cli

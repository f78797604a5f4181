#pragma once

// The report table for today's spreadsheet programs and scripts, beside the
// worksheet stream of ExcelFile: a comma-separated text file and an Office Open
// XML workbook. Both hold the table's cells exactly, in UTF-8 (the degree sign
// as "°"); the workbook stores the cells that read as numbers (serial numbers,
// counts, the total) as numbers and sets each column's width to its text.

#include "exchange/TextTable.h"

#include <filesystem>
#include <string>

namespace sw {

// One line per table row, ended by CR LF, every row as wide as the widest;
// a cell holding a comma, a quote or a line break is quoted.
std::string ReportCsvText(const TextTable& table);
void WriteReportCsvFile(const std::filesystem::path& path, const TextTable& table);

// The workbook's bytes: one sheet named "Report".
std::string ReportXlsxBytes(const TextTable& table);
void WriteReportXlsxFile(const std::filesystem::path& path, const TextTable& table);

} // namespace sw

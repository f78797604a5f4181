#pragma once

// The report table (UTF-8 cells, report/ReportTable.h) in its files: the
// worksheet stream of ExcelFile in Windows text, and for today's spreadsheet
// programs and scripts a comma-separated text file and an Office Open XML
// workbook, which hold the cells exactly, in UTF-8 (the degree sign as "°", a
// file name in any script); the workbook stores the cells that read as numbers
// (serial numbers, counts, the total) as numbers and sets each column's width
// to its text.

#include "exchange/TextTable.h"
#include "exchange/WorkbookWriter.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace sw {

// The worksheet of ExcelFile, its bytes as the long-standing format has them:
// each cell in the Windows character set, '?' for a character it lacks.
void WriteReportWorksheet(const std::filesystem::path& path, const TextTable& table);

// One line per table row, ended by CR LF, every row as wide as the widest;
// a cell holding a comma, a quote or a line break is quoted.
std::string ReportCsvText(const TextTable& table);

// The file starts with the UTF-8 byte order mark unless asked not to: without
// it Excel and LibreOffice's default import read the text as a legacy code page.
enum class CsvBom { With, Without };
inline constexpr std::string_view Utf8Bom = "\xEF\xBB\xBF";
void WriteReportCsvFile(const std::filesystem::path& path, const TextTable& table, CsvBom bom);
void WriteReportCsvFile(const std::filesystem::path& path, const TextTable& table); // with it

// The workbook `writer` makes (exchange/WorkbookWriter.h), replacing the file
// at `path` once complete.
void WriteReportXlsxFile(const std::filesystem::path& path, const TextTable& table,
                         const WorkbookWriter& writer);

} // namespace sw

#pragma once

// The report table as a worksheet: a bare stream of BIFF records (beginning of
// file, one number or text cell per table cell, end of file).

#include "exchange/TextTable.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace sw {

// The value of a text that reads as a decimal number, in this order: leading
// spaces (0x20 only), an optional sign, digits, optionally '.' and digits,
// optionally 'E' or 'e' with an optional sign and at least one digit, nothing
// after. The part before the exponent needs a digit or the '.' (a lone '.' is 0).
// '.' is the separator whatever the locale. A value beyond the double range is
// not a number.
std::optional<double> WorksheetNumber(std::string_view text);

// Append one cell record to `out`: column first, written row first.
void WriteNumberCell(std::string& out, uint16_t col, uint16_t row, double value);
// The text's bytes as they are; throws FileError for a text too long for a record.
void WriteLabelCell(std::string& out, uint16_t col, uint16_t row, std::string_view text);

// The whole stream: every cell of the table's widest row by its row count,
// column by column and each column top to bottom; missing cells are empty texts.
// Throws FileError when the table has more rows or columns than a worksheet can
// address (65536).
std::string ExcelFileBytes(const TextTable& table);

// Writes ExcelFileBytes under `path` exactly as given (no extension added).
// Errors: "Cannot create file "%s". %s", "Stream write error"; a failed write
// leaves an existing file untouched.
void WriteExcelFile(const std::filesystem::path& path, const TextTable& table);

} // namespace sw

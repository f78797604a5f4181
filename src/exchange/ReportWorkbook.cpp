// The Office Open XML workbook of the report: the one unit that calls
// libxlsxwriter, which brings a compression and a cryptography library with it.
// The command-line tool loads it as a module of its own, only when a workbook is
// asked for.

#include "exchange/ReportWorkbook.h"

#include "exchange/ReportFiles.h"

#include "exchange/ExcelFile.h"
#include "exchange/FileError.h"
#include "exchange/FileReading.h"
#include "exchange/SafeFile.h"
#include "exchange/TemporaryFiles.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>

namespace sw {

namespace {

// Characters of a UTF-8 text: every byte but the continuation bytes.
std::size_t CharacterCount(const std::string& utf8) {
    return static_cast<std::size_t>(std::count_if(utf8.begin(), utf8.end(), [](char ch) {
        return (static_cast<unsigned char>(ch) & 0xC0) != 0x80;
    }));
}

// A column as wide as its longest text in characters, within what a screen shows.
double ColumnWidth(const TextTable& table, std::size_t col) {
    std::size_t longest = 0;
    for (const auto& row : table) {
        if (col < row.size()) {
            longest = std::max(longest, CharacterCount(row[col]));
        }
    }
    constexpr std::size_t Widest = 120;
    return static_cast<double>(std::min(longest, Widest) + 2);
}

void Check(lxw_error err, const char* what) {
    if (err != LXW_NO_ERROR) {
        throw FileError(std::string("The workbook could not be built (") + what +
                        "): " + lxw_strerror(err));
    }
}

} // namespace

std::string ReportXlsxBytes(const TextTable& table) {
    constexpr std::size_t MaxRows = 1'048'576;
    constexpr std::size_t MaxCols = 16'384;
    const std::size_t cols = WidestRowSize(table);
    if (table.size() > MaxRows || cols > MaxCols) {
        throw FileError("The report has more rows or columns than a workbook can hold");
    }
    // The library writes to a named file only; the bytes are read back from it.
    const TemporaryFile temp(std::filesystem::temp_directory_path() / "sheetwright-");
    lxw_workbook* book = workbook_new(temp.Path().c_str());
    if (book == nullptr) {
        throw FileError(CannotCreateText(temp.Path(), errno));
    }
    lxw_worksheet* sheet = workbook_add_worksheet(book, "Report");
    try {
        if (sheet == nullptr) {
            throw FileError("The workbook could not be built (no worksheet)");
        }
        for (std::size_t c = 0; c < cols; ++c) {
            Check(worksheet_set_column(sheet, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c),
                                       ColumnWidth(table, c), nullptr),
                  "column width");
        }
        for (std::size_t r = 0; r < table.size(); ++r) {
            const auto& row = table[r];
            for (std::size_t c = 0; c < row.size(); ++c) {
                const auto rr = static_cast<lxw_row_t>(r);
                const auto cc = static_cast<lxw_col_t>(c);
                if (row[c].empty()) {
                    continue; // an empty cell stays blank, as in the table
                }
                if (const auto value = WorksheetNumber(row[c])) {
                    Check(worksheet_write_number(sheet, rr, cc, *value, nullptr), "number");
                } else {
                    Check(worksheet_write_string(sheet, rr, cc, row[c].c_str(), nullptr), "text");
                }
            }
        }
        // The heading row stays in view and on every printed page.
        worksheet_freeze_panes(sheet, 1, 0);
        Check(worksheet_repeat_rows(sheet, 0, 0), "heading row");
    } catch (...) {
        workbook_close(book);
        throw;
    }
    Check(workbook_close(book), "saving");
    return ReadWholeFile(temp.Path(), ReadFailureText::CannotOpen);
}

std::string XlsxWorkbook::ReportXlsxBytes(const TextTable& table) const {
    return sw::ReportXlsxBytes(table);
}

void WriteReportXlsxFile(const std::filesystem::path& path, const TextTable& table) {
    WriteReportXlsxFile(path, table, XlsxWorkbook{});
}

} // namespace sw

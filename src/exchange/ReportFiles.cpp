#include "exchange/ReportFiles.h"

#include "exchange/CsvField.h"
#include "exchange/ExcelFile.h"
#include "exchange/FileError.h"
#include "exchange/SafeFile.h"
#include "index/WindowsText.h"

#include <algorithm>
#include <filesystem>

namespace sw {

std::string ReportCsvText(const TextTable& table) {
    const std::size_t cols = WidestRowSize(table);
    std::string out;
    for (const auto& row : table) {
        for (std::size_t c = 0; c < cols; ++c) {
            if (c > 0) {
                out += ',';
            }
            if (c < row.size()) {
                AppendCsvField(out, row[c]);
            }
        }
        out += "\r\n";
    }
    return out;
}

void WriteReportWorksheet(const std::filesystem::path& path, const TextTable& table) {
    TextTable windows = table;
    for (auto& row : windows) {
        for (auto& cell : row) {
            cell = Utf8ToWindows(cell);
        }
    }
    WriteExcelFile(path, windows);
}

void WriteReportCsvFile(const std::filesystem::path& path, const TextTable& table, CsvBom bom) {
    const std::string text = ReportCsvText(table);
    ReplaceFileContents(path, bom == CsvBom::With ? std::string(Utf8Bom) + text : text,
                        WriteFailureText::Runtime);
}

void WriteReportCsvFile(const std::filesystem::path& path, const TextTable& table) {
    WriteReportCsvFile(path, table, CsvBom::With);
}

void WriteReportXlsxFile(const std::filesystem::path& path, const TextTable& table,
                         const WorkbookWriter& writer) {
    ReplaceFileContents(path, writer.ReportXlsxBytes(table), WriteFailureText::Runtime);
}

} // namespace sw

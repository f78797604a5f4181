#pragma once

// The report's workbook writer on libxlsxwriter: what the application and the
// tests link, and what the workbook module hands the command-line tool.

#include "exchange/TextTable.h"
#include "exchange/WorkbookWriter.h"

#include <filesystem>
#include <string>

namespace sw {

// The workbook's bytes: one sheet named "Report".
std::string ReportXlsxBytes(const TextTable& table);

class XlsxWorkbook final : public WorkbookWriter {
public:
    std::string ReportXlsxBytes(const TextTable& table) const override;
};

// The workbook written at `path` by this writer.
void WriteReportXlsxFile(const std::filesystem::path& path, const TextTable& table);

} // namespace sw

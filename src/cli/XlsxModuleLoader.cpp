// The report workbook of the tool's binary, which does not link the workbook
// writer (src/exchange/CMakeLists.txt): written by the workbook module, loaded
// on first use.

#include "cli/CliCommon.h"
#include "cli/XlsxModule.h"
#include "exchange/ModuleLoader.h"
#include "exchange/ReportFiles.h"

#include <string>

std::string sw::ReportXlsxBytes(const TextTable& table) {
    static const LoadedModule<cli::XlsxModule> module = LoadModule<cli::XlsxModule>(
        SHEETWRIGHT_XLSX_MODULE_NAME, SHEETWRIGHT_XLSX_MODULE_FROM_BIN, "SheetwrightXlsxModule");
    if (module.table == nullptr) {
        throw cli::InputError("the workbook output cannot be loaded" +
                              (module.why.empty() ? std::string() : ": " + module.why));
    }
    return module.table->ReportXlsxBytes(table);
}

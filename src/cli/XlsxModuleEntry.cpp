// The entry of the workbook module that the command-line tool loads when an
// .xlsx report is asked for.

#include "cli/XlsxModule.h"
#include "exchange/ReportWorkbook.h"

extern "C" __attribute__((visibility("default"))) const sw::WorkbookWriter*
SheetwrightXlsxModule() {
    static const sw::XlsxWorkbook writer;
    return &writer;
}

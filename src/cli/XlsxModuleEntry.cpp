// The entry of the workbook module that the command-line tool loads when an
// .xlsx report is asked for.

#include "cli/XlsxModule.h"
#include "exchange/ReportFiles.h"

extern "C" __attribute__((visibility("default"))) const sw::cli::XlsxModule*
SheetwrightXlsxModule() {
    static const sw::cli::XlsxModule module{sw::ReportXlsxBytes};
    return &module;
}

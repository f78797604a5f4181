#pragma once

// The report's Office Open XML workbook. Its library (libxlsxwriter) brings
// minizip and libcrypto, whose relocations alone cost a few milliseconds at every
// start, so the core reaches it only through this interface: the application and
// the tests link the implementation (exchange/ReportWorkbook.h), the
// command-line tool loads it as a module when a workbook is asked for.

#include "exchange/TextTable.h"

#include <string>

namespace sw {

class WorkbookWriter {
public:
    virtual ~WorkbookWriter() = default;

    // The workbook's bytes: one sheet named "Report", the cells that read as
    // numbers stored as numbers, each column as wide as its text.
    virtual std::string ReportXlsxBytes(const TextTable& table) const = 0;

protected:
    WorkbookWriter() = default;
    WorkbookWriter(const WorkbookWriter&) = default;
    WorkbookWriter& operator=(const WorkbookWriter&) = default;
};

} // namespace sw

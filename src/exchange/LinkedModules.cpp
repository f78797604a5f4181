#include "exchange/LinkedModules.h"

#include "exchange/GdalBackend.h"
#include "exchange/ReportWorkbook.h"

#include <memory>

namespace sw {

Modules LinkedModules() {
    Modules m;
    m.Gis.Link(std::make_shared<const GdalBackend>());
    m.Workbook.Link(std::make_shared<const XlsxWorkbook>());
    return m;
}

} // namespace sw

#include "cli/LinkedCliModules.h"

#include "exchange/LinkedModules.h"

#if SHEETWRIGHT_HAS_RENDERER
#include "cli/RenderModule.h"
#endif

#include <memory>

namespace sw::cli {

Modules LinkedCliModules() {
    Modules m = LinkedModules();
#if SHEETWRIGHT_HAS_RENDERER
    m.Render.Link(std::make_shared<const LayoutRenderer>());
#endif
    return m;
}

} // namespace sw::cli

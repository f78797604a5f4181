#include "cli/LoadedModules.h"

#include "cli/RenderModule.h"
#include "cli/XlsxModule.h"
#include "exchange/GdalModule.h"
#include "exchange/ModuleLoader.h"

#include <memory>
#include <string>

namespace sw::cli {

namespace {

// Loads the module on the first call and keeps it for the rest of the process;
// a module that cannot be loaded is refused, with the loader's reason, at each
// call.
template <typename Part>
typename ModuleSlot<Part>::Source LoadOnFirstUse(const char* name, const char* entry,
                                                 const char* what) {
    auto loaded = std::make_shared<LoadedModule<Part>>();
    auto tried = std::make_shared<bool>(false);
    return [=]() -> const Part& {
        if (!*tried) {
            *loaded = LoadModule<Part>(name, SHEETWRIGHT_MODULE_FROM_BIN, entry);
            *tried = true;
        }
        if (loaded->table == nullptr) {
            throw Error(ErrorKind::Input,
                        std::string(what) + " cannot be loaded (" + name + ")" +
                            (loaded->why.empty() ? std::string() : ": " + loaded->why));
        }
        return *loaded->table;
    };
}

} // namespace

void LoadModulesOnFirstUse(Modules& modules) {
    modules.Gis.Load(LoadOnFirstUse<GisBackend>("sheetwright-gdal.so", "SheetwrightGdalModule",
                                                "the GIS formats"));
    modules.Workbook.Load(LoadOnFirstUse<WorkbookWriter>(
        "sheetwright-xlsx.so", "SheetwrightXlsxModule", "the workbook output"));
    // The options of pictures and PDFs are offered only when the module is there.
    if (!FindModule("sheetwright-render.so", SHEETWRIGHT_MODULE_FROM_BIN).empty()) {
        modules.Render.Load(LoadOnFirstUse<Renderer>(
            "sheetwright-render.so", "SheetwrightRenderModule", "the picture and PDF outputs"));
    }
}

} // namespace sw::cli

// The rendered outputs of the tool's binary: loaded from the render module on
// first use, so that `number`, `extent` and `sheets` without pictures or the
// report never load Qt.

#include "cli/CliCommon.h"
#include "cli/RenderModule.h"
#include "cli/SheetsOutputs.h"
#include "exchange/ReportFiles.h"

#include <dlfcn.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace sw::cli {

namespace {

// Beside the binary in the build tree; under the library folder once installed.
std::vector<std::filesystem::path> ModuleCandidates() {
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) {
        return {};
    }
    const std::filesystem::path dir = exe.parent_path();
    return {dir / SHEETWRIGHT_RENDER_MODULE_NAME,
            dir / SHEETWRIGHT_RENDER_MODULE_FROM_BIN / SHEETWRIGHT_RENDER_MODULE_NAME};
}

std::filesystem::path ModulePath() {
    for (const std::filesystem::path& p : ModuleCandidates()) {
        if (::access(p.c_str(), R_OK) == 0) {
            return p;
        }
    }
    return {};
}

const RenderModule& Module() {
    static const RenderModule* module = []() -> const RenderModule* {
        const std::filesystem::path path = ModulePath();
        void* handle = path.empty() ? nullptr : ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (handle == nullptr) {
            return nullptr;
        }
        // The module stays loaded until the process ends.
        const auto entry =
            reinterpret_cast<const RenderModule* (*)()>(::dlsym(handle, "SheetwrightRenderModule"));
        return entry != nullptr ? entry() : nullptr;
    }();
    if (module == nullptr) {
        const char* why = ::dlerror();
        throw InputError(std::string("the picture and report outputs cannot be loaded") +
                         (why != nullptr ? std::string(": ") + why : std::string()));
    }
    return *module;
}

} // namespace

bool ReportAvailable() {
    return !ModulePath().empty();
}

void WriteLayoutPicture(PictureEncoding encoding, const SheetsResult& r, const std::string& path) {
    Module().WritePicture(encoding, r, path);
}

TextTable SheetsReportTable(const SheetsResult& r) {
    return Module().ReportTable(r);
}

void WriteReportPdf(const SheetsResult& r, const std::string& path) {
    Module().WriteReportPdf(r, path);
}

} // namespace sw::cli

#if defined(SHEETWRIGHT_XLSX_FROM_MODULE)
// The binary does not link the workbook writer (src/exchange/CMakeLists.txt):
// the report's workbook is written by the render module's copy, which the
// report itself needs anyway.
std::string sw::ReportXlsxBytes(const TextTable& table) {
    return cli::Module().ReportXlsxBytes(table);
}
#endif

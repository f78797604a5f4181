#include "exchange/ModuleLoader.h"

#include <dlfcn.h>
#include <unistd.h>

#include <system_error>

namespace sw {

std::filesystem::path FindModule(std::string_view name, std::string_view fromBin) {
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) {
        return {};
    }
    const std::filesystem::path dir = exe.parent_path();
    for (const std::filesystem::path& p : {dir / name, dir / fromBin / name}) {
        if (::access(p.c_str(), R_OK) == 0) {
            return p;
        }
    }
    return {};
}

void* LoadModuleEntry(const std::filesystem::path& path, const char* entry, std::string& why) {
    why.clear();
    void* handle = path.empty() ? nullptr : ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    void* address = handle != nullptr ? ::dlsym(handle, entry) : nullptr;
    if (address == nullptr) {
        const char* error = ::dlerror();
        if (error != nullptr) {
            why = error;
        }
    }
    return address;
}

} // namespace sw

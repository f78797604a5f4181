#pragma once

// Modules the command-line binary loads on first use, so that commands which
// need none of their libraries (GDAL, Qt) never pay for loading them. A module
// exports one function that hands back its table of entry points.

#include <filesystem>
#include <string>
#include <string_view>

namespace sw {

// The module file `name`: beside the running binary (the build tree), else in
// `fromBin` relative to the binary's folder (the installed library folder);
// empty when neither can be read.
std::filesystem::path FindModule(std::string_view name, std::string_view fromBin);

// The module at `path` loaded (for the rest of the process) and the address of
// its exported `entry`; null when there is no path, the module cannot be loaded
// or lacks `entry`, with `why` set to the loader's reason where it gave one.
void* LoadModuleEntry(const std::filesystem::path& path, const char* entry, std::string& why);

// A module's table, or null and the reason it could not be had.
template <typename Table> struct LoadedModule {
    const Table* table = nullptr;
    std::string why;
};

// Finds and loads the module `name` and calls its `entry`, which returns the
// module's `Table`.
template <typename Table>
LoadedModule<Table> LoadModule(std::string_view name, std::string_view fromBin, const char* entry) {
    LoadedModule<Table> loaded;
    void* address = LoadModuleEntry(FindModule(name, fromBin), entry, loaded.why);
    if (address != nullptr) {
        loaded.table = reinterpret_cast<const Table* (*)()>(address)();
    }
    return loaded;
}

} // namespace sw

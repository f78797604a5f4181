#pragma once

// File-name rules shared by the writers and readers.

#include <filesystem>
#include <string>
#include <string_view>

namespace sw {

// `path` with the extension of its last component (from its last '.') replaced
// by `ext` (which carries its own dot), or `ext` appended when that component has
// no '.'. The folder part is kept as it stands: "a.b/grid" gives "a.b/grid.shp".
std::string ReplaceExtension(std::string_view path, std::string_view ext);

// The extension of the last path component from its last '.', lower-cased
// (ASCII only); empty when there is none.
std::string LowerExtension(std::string_view path);

// The name a shapefile written through OGR takes: `path` itself when its
// extension is ".shp" in any case, else `path` with ".shp" for its extension
// (appended when it has none). The set's other files are named after it.
std::filesystem::path ShapefileMainPath(const std::filesystem::path& path);

// The path in double quotes, its bytes as the file system has them, for messages.
std::string QuotedPath(const std::filesystem::path& path);

} // namespace sw

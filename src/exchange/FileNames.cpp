#include "exchange/FileNames.h"

namespace sw {

namespace {

// Both separators count: a path typed on another system still finds its last
// component, and neither character can be part of a file name we write.
std::size_t LastComponentStart(std::string_view path) {
    const std::size_t sep = path.find_last_of("/\\");
    return sep == std::string_view::npos ? 0 : sep + 1;
}

std::size_t ExtensionStart(std::string_view path) {
    const std::size_t start = LastComponentStart(path);
    const std::size_t dot = path.rfind('.');
    if (dot == std::string_view::npos || dot < start) {
        return std::string_view::npos;
    }
    return dot;
}

} // namespace

std::string ReplaceExtension(std::string_view path, std::string_view ext) {
    const std::size_t dot = ExtensionStart(path);
    std::string out(dot == std::string_view::npos ? path : path.substr(0, dot));
    out += ext;
    return out;
}

std::filesystem::path ShapefileMainPath(const std::filesystem::path& path) {
    const std::string name = path.string();
    return LowerExtension(name) == ".shp" ? path
                                          : std::filesystem::path(ReplaceExtension(name, ".shp"));
}

std::string LowerExtension(std::string_view path) {
    const std::size_t dot = ExtensionStart(path);
    if (dot == std::string_view::npos) {
        return {};
    }
    std::string ext(path.substr(dot));
    for (char& ch : ext) {
        if (ch >= 'A' && ch <= 'Z') {
            ch = static_cast<char>(ch - 'A' + 'a');
        }
    }
    return ext;
}

std::string QuotedPath(const std::filesystem::path& path) {
    std::string text;
    text.reserve(path.native().size() + 2);
    text += '"';
    text += path.native();
    text += '"';
    return text;
}

} // namespace sw

#include "app/CommandLine.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace sw::gui {

namespace {

// The toolkit's own options, which it takes out of the command line when it
// starts; those of the first list are followed by a value. Anything else that
// looks like an option is ours to refuse, and must be refused before the
// toolkit starts: without a display it would end the process before we could.
constexpr std::array<std::string_view, 16> ToolkitOptionsWithValue{"platform",
                                                                   "platformpluginpath",
                                                                   "platformtheme",
                                                                   "plugin",
                                                                   "qwindowgeometry",
                                                                   "geometry",
                                                                   "qwindowicon",
                                                                   "icon",
                                                                   "qwindowtitle",
                                                                   "title",
                                                                   "session",
                                                                   "display",
                                                                   "name",
                                                                   "style",
                                                                   "stylesheet",
                                                                   "qmljsdebugger"};
constexpr std::array<std::string_view, 6> ToolkitFlags{"reverse", "widgetcount", "nograb",
                                                       "dograb",  "sync",        "visual"};

// The option's name without its one or two leading dashes and any "=value".
std::string_view OptionName(std::string_view arg) {
    arg.remove_prefix(arg.starts_with("--") ? 2 : 1);
    return arg.substr(0, arg.find('='));
}

bool Among(std::string_view name, const auto& list) {
    return std::find(list.begin(), list.end(), name) != list.end();
}

AppCommandLine UnknownOption(const std::string& arg) {
    return {AppCommandLine::Action::Error,
            {},
            "sheetwright: unknown option '" + arg + "'; see sheetwright --help\n"};
}

const char* const HelpText =
    "Usage: sheetwright [OPTION] [FILE]\n"
    "Find the sheets of the national topographic map index that cover a point, a\n"
    "route or an area, and save them as KML, shapefile, pictures, PDF or GIS files.\n"
    "\n"
    "FILE is opened as the vertex dialog's Open would open it, the reader chosen by\n"
    "its extension: a vertex file (.txt), an ESRI shapefile (.shp), a KML file\n"
    "(.kml) or a GeoJSON file (.geojson).\n"
    "\n"
    "  -h, --help     print this help and exit\n"
    "  -v, --version  print the version and exit\n"
    "\n"
    "The command-line companion is sheetwright-cli.\n";

} // namespace

AppCommandLine ParseAppCommandLine(const std::vector<std::string>& args, bool qtOptionsRemoved) {
    AppCommandLine cl;
    bool onlyFiles = false;
    bool skipValue = false;
    for (const std::string& a : args) {
        if (skipValue) {
            skipValue = false;
            continue;
        }
        if (!onlyFiles && (a == "-h" || a == "--help")) {
            return {AppCommandLine::Action::Help, {}, HelpText};
        }
        if (!onlyFiles && (a == "-v" || a == "--version")) {
            return {AppCommandLine::Action::Version,
                    {},
                    std::string("Sheetwright ") + SHEETWRIGHT_VERSION + "\n"};
        }
        if (!qtOptionsRemoved) {
            if (!onlyFiles && a == "--") {
                onlyFiles = true;
            } else if (!onlyFiles && a.size() > 1 && a[0] == '-') {
                const std::string_view name = OptionName(a);
                if (Among(name, ToolkitOptionsWithValue)) {
                    skipValue = a.find('=') == std::string::npos;
                } else if (!Among(name, ToolkitFlags)) {
                    return UnknownOption(a);
                }
            }
            continue;
        }
        if (!onlyFiles && a == "--") {
            onlyFiles = true;
        } else if (!onlyFiles && a.size() > 1 && a[0] == '-') {
            return UnknownOption(a);
        } else if (!cl.file.empty()) {
            return {AppCommandLine::Action::Error,
                    {},
                    "sheetwright: one file at a time ('" + cl.file + "' and '" + a + "')\n"};
        } else {
            cl.file = a;
        }
    }
    return cl;
}

} // namespace sw::gui

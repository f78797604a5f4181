#include "app/CommandLine.h"

namespace sw::gui {

namespace {

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
    for (const std::string& a : args) {
        if (!onlyFiles && (a == "-h" || a == "--help")) {
            return {AppCommandLine::Action::Help, {}, HelpText};
        }
        if (!onlyFiles && (a == "-v" || a == "--version")) {
            return {AppCommandLine::Action::Version,
                    {},
                    std::string("Sheetwright ") + SHEETWRIGHT_VERSION + "\n"};
        }
        if (!qtOptionsRemoved) {
            continue;
        }
        if (!onlyFiles && a == "--") {
            onlyFiles = true;
        } else if (!onlyFiles && a.size() > 1 && a[0] == '-') {
            return {AppCommandLine::Action::Error,
                    {},
                    "sheetwright: unknown option '" + a + "'; see sheetwright --help\n"};
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

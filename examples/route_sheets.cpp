// The sheets a short route crosses, and the number of a place on it: what a
// program linking libsheetwright writes instead of running sheetwright-cli.
//
//   cmake: find_package(Sheetwright REQUIRED) and link Sheetwright::sheetwright
//   make:  c++ -std=c++20 route_sheets.cpp $(pkg-config --cflags --libs sheetwright)

#include <sheetwright/sheetwright.h>

#include <cstdio>
#include <exception>

int main() {
    try {
        namespace swl = sheetwright;
        std::printf("libsheetwright %s\n", swl::VersionText());
        std::printf("28.6139 77.2083 is on sheet %s\n",
                    swl::Number(28.6139, 77.2083, swl::Series::Old, "1:50,000").c_str());

        // A route from Delhi towards Agra as a line through three positions.
        swl::Geometry route;
        route.Parts.push_back(
            {swl::PartKind::Line, {{77.21, 28.61}, {77.50, 28.10}, {78.01, 27.18}}});
        for (const swl::Cell& c : swl::Sheets({route}, swl::Series::Open, "1:2,50,000")) {
            std::printf("%s  %.2f %.2f %.2f %.2f\n", c.Number.c_str(), c.Extent.West,
                        c.Extent.South, c.Extent.East, c.Extent.North);
        }

        const swl::SheetInfo info = swl::Extent("53H/2", swl::Series::Old);
        std::printf("53H/2 is a %s sheet, north neighbour %s\n", info.Scale.c_str(),
                    info.Neighbours[1].c_str());
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "route_sheets: %s\n", e.what());
        return 1;
    }
}

#include "cli/CliCommon.h"
#include "cli/Commands.h"

#include "index/SheetNumber.h"

#include <CLI/CLI.hpp>

#include <memory>
#include <ostream>

namespace sw::cli {

void RegisterNumberCommand(CLI::App& app, CommandContext& ctx) {
    struct Options {
        std::string series;
        std::string scale;
        std::string lat;
        std::string lon;
    };
    auto opts = std::make_shared<Options>();
    CLI::App* cmd = app.add_subcommand(
        "number", "Print the number of the sheet that contains a position (\"#\" outside the "
                  "index).\n\nExample:\n  sheetwright-cli number --series old --scale 1:50,000 "
                  "28:36:50 77:12:30   prints 53H/2");
    AddSeriesOption(*cmd, opts->series);
    AddScaleOption(*cmd, opts->scale);
    cmd->add_option("LAT", opts->lat, "Latitude, D:M:S (28:36:50) or decimal degrees (28.6139)")
        ->required();
    cmd->add_option("LON", opts->lon, "Longitude, D:M:S (77:12:30) or decimal degrees (77.2083)")
        ->required();
    cmd->callback([opts, &ctx]() {
        const Settings s = ParseSettings(opts->series, opts->scale);
        const DmsAngle lat = ParseAngle(opts->lat, "latitude");
        const DmsAngle lon = ParseAngle(opts->lon, "longitude");
        // Decimal input can carry 60 seconds; number the normalised position.
        *ctx.out << SheetNumber(s, SecToDms(DmsToSec(lon)), SecToDms(DmsToSec(lat))) << '\n';
        ctx.exitCode = ExitOk;
    });
}

} // namespace sw::cli

#include "cli/CliCommon.h"
#include "cli/Commands.h"
#include "index/WindowsText.h"

#include "index/SheetExtent.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <iomanip>
#include <memory>
#include <ostream>
#include <sstream>

namespace sw::cli {

namespace {

std::string Decimal(int32_t seconds) {
    std::ostringstream s;
    s << std::setprecision(15) << DmsToDecimal(SecToDms(seconds));
    return s.str();
}

std::string Dms(int32_t seconds) {
    return WindowsToUtf8(DmsToText(SecToDms(seconds)));
}

} // namespace

void RegisterExtentCommand(CLI::App& app, CommandContext& ctx) {
    struct Options {
        std::string series;
        std::string number;
        std::string format = "text";
    };
    auto opts = std::make_shared<Options>();
    CLI::App* cmd = app.add_subcommand(
        "extent", "Print a sheet's scale, its edges (D:M:S and decimal degrees) and the numbers "
                  "of its eight neighbours.\n\nExample:\n  sheetwright-cli extent --series old "
                  "53H/2");
    AddSeriesOption(*cmd, opts->series);
    cmd->add_option("--format", opts->format, "Output: text or json")
        ->check(CLI::IsMember({"text", "json"}));
    cmd->add_option("SHEETNO", opts->number, "Sheet number, for example 53H/2 or H43X02")
        ->required();
    cmd->callback([opts, &ctx]() {
        const Series series = ParseSeries(opts->series);
        SheetExtent e;
        try {
            e = FindSheetExtent(series, opts->number);
        } catch (const UnknownSheetError& err) {
            throw InputError(err.what());
        }
        const auto neighbours = NeighbourSheetNumbers(series, e);
        const std::string scale = ScaleCaptions(series)[static_cast<std::size_t>(e.ScaleIndex - 1)];
        std::ostream& out = *ctx.out;
        if (opts->format == "json") {
            nlohmann::json j;
            j["sheet"] = opts->number;
            j["series"] = opts->series;
            j["scale"] = scale;
            j["south"] = DmsToDecimal(SecToDms(e.SouthSec));
            j["west"] = DmsToDecimal(SecToDms(e.WestSec));
            j["north"] = DmsToDecimal(SecToDms(e.NorthSec));
            j["east"] = DmsToDecimal(SecToDms(e.EastSec));
            const char* names[] = {"nw", "n", "ne", "w", "e", "sw", "s", "se"};
            for (std::size_t i = 0; i < neighbours.size(); ++i) {
                j["neighbours"][names[i]] = neighbours[i];
            }
            out << j.dump(2) << '\n';
        } else {
            out << "sheet " << opts->number << '\n';
            out << "scale " << scale << '\n';
            out << "south " << Dms(e.SouthSec) << ' ' << Decimal(e.SouthSec) << '\n';
            out << "west  " << Dms(e.WestSec) << ' ' << Decimal(e.WestSec) << '\n';
            out << "north " << Dms(e.NorthSec) << ' ' << Decimal(e.NorthSec) << '\n';
            out << "east  " << Dms(e.EastSec) << ' ' << Decimal(e.EastSec) << '\n';
            out << "neighbours\n";
            const auto cell = [&](std::size_t i) { return neighbours[i]; };
            out << "  " << cell(0) << '\t' << cell(1) << '\t' << cell(2) << '\n';
            out << "  " << cell(3) << '\t' << opts->number << '\t' << cell(4) << '\n';
            out << "  " << cell(5) << '\t' << cell(6) << '\t' << cell(7) << '\n';
        }
        ctx.exitCode = ExitOk;
    });
}

} // namespace sw::cli

// `sheetwright-cli number`: the sheet of one position given on the command line,
// or, without one, of every position read from standard input, one answer line
// per input line.

#include "cli/CliCommon.h"
#include "cli/Commands.h"
#include "cli/OutputBuffer.h"

#include "index/SheetNumber.h"

#include <CLI/CLI.hpp>

#include <istream>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace sw::cli {

namespace {

// The settings a number is asked at: the one scale given, or every scale of the
// series in the scale box's order.
std::vector<Settings> NumberingSettings(const std::string& series, const std::string& scale,
                                        bool allScales) {
    if (!allScales) {
        return {ParseSettings(series, scale)};
    }
    const Series s = ParseSeries(series);
    std::vector<Settings> all;
    for (std::size_t i = 1; i <= ScaleCaptions(s).size(); ++i) {
        all.push_back(SettingsAt(s, static_cast<int32_t>(i)));
    }
    return all;
}

// The answer line for a position, tab-separated over the settings.
void AppendNumbers(OutputBuffer& buf, const std::vector<Settings>& settings, const DmsAngle& lat,
                   const DmsAngle& lon) {
    // Decimal input can carry 60 seconds; number the normalised position.
    const DmsAngle nlon = SecToDms(DmsToSec(lon));
    const DmsAngle nlat = SecToDms(DmsToSec(lat));
    for (std::size_t i = 0; i < settings.size(); ++i) {
        if (i > 0) {
            buf.Append('\t');
        }
        buf.Append(SheetNumber(settings[i], nlon, nlat));
    }
    buf.Append('\n');
}

bool IsSeparator(char c) {
    return c == ' ' || c == '\t' || c == ',';
}

// The fields of a line, split at runs of blanks, tabs and commas.
std::vector<std::string_view> Fields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && IsSeparator(line[i])) {
            ++i;
        }
        const std::size_t start = i;
        while (i < line.size() && !IsSeparator(line[i])) {
            ++i;
        }
        if (i > start) {
            fields.push_back(line.substr(start, i - start));
        }
    }
    return fields;
}

// One input line's answer: its numbers, or "ERROR: " and why the line was not read
// (then false).
bool AnswerLine(OutputBuffer& buf, const std::vector<Settings>& settings, std::string_view line) {
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    const auto fields = Fields(line);
    if (fields.size() != 2) {
        buf.Append("ERROR: ");
        buf.Append(fields.empty() ? std::string("no position on this line")
                                  : "expected LAT LON, found " + std::to_string(fields.size()) +
                                        (fields.size() == 1 ? " value" : " values"));
        buf.Append('\n');
        return false;
    }
    DmsAngle lat;
    DmsAngle lon;
    try {
        lat = ParseAngle(std::string(fields[0]), "latitude");
        lon = ParseAngle(std::string(fields[1]), "longitude");
    } catch (const UsageError& e) {
        buf.Append("ERROR: ");
        buf.Append(e.what());
        buf.Append('\n');
        return false;
    }
    AppendNumbers(buf, settings, lat, lon);
    return true;
}

// Line N of the output answers line N of the input. What is answered is handed on
// whenever the input has nothing more waiting, so a program feeding positions
// through a pipe gets each answer before it sends the next position. True when
// every line was answered with numbers.
bool NumberStream(std::istream& in, std::ostream& out, const std::vector<Settings>& settings) {
    OutputBuffer buf(out);
    std::string line;
    bool allRead = true;
    while (std::getline(in, line)) {
        allRead = AnswerLine(buf, settings, line) && allRead;
        if (in.rdbuf()->in_avail() <= 0) {
            buf.Flush();
        }
    }
    buf.Flush();
    return allRead;
}

} // namespace

void RegisterNumberCommand(CLI::App& app, CommandContext& ctx) {
    struct Options {
        std::string series;
        std::string scale;
        bool allScales = false;
        std::string lat;
        std::string lon;
    };
    auto opts = std::make_shared<Options>();
    CLI::App* cmd = app.add_subcommand(
        "number",
        "Print the number of the sheet that contains a position (\"#\" outside the index). "
        "Without LAT and LON, read positions from standard input, one per line (LAT LON "
        "separated by blanks, a tab or a comma), and print one line for each input line, in "
        "order: the number, or \"ERROR: \" and the reason for a line that cannot be "
        "read; then the exit code is 1.\n\nExamples:\n  sheetwright-cli number --series old "
        "--scale 1:50,000 28:36:50 "
        "77:12:30   prints 53H/2\n  sheetwright-cli number --series open --all-scales < "
        "points.txt > numbers.txt");
    AddSeriesOption(*cmd, opts->series);
    AddScaleOption(*cmd, opts->scale);
    CLI::Option* scale = cmd->get_option("--scale");
    scale->required(false);
    cmd->add_flag("--all-scales", opts->allScales,
                  "Print the number at every scale of the series, tab-separated, largest sheets "
                  "first (instead of --scale)")
        ->excludes(scale);
    CLI::Option* lat = cmd->add_option("LAT", opts->lat,
                                       "Latitude, D:M:S (28:36:50) or decimal degrees (28.6139)");
    CLI::Option* lon = cmd->add_option("LON", opts->lon,
                                       "Longitude, D:M:S (77:12:30) or decimal degrees (77.2083)");
    cmd->callback([opts, &ctx, scale, lat, lon]() {
        if (scale->count() == 0 && !opts->allScales) {
            throw UsageError("number: give --scale or --all-scales");
        }
        if (lat->count() != lon->count()) {
            throw UsageError("number: give both LAT and LON, or neither to read positions from "
                             "standard input");
        }
        const auto settings = NumberingSettings(opts->series, opts->scale, opts->allScales);
        if (lat->count() == 0) {
            // Like the stream filters of the field: every line is answered, and
            // the exit code tells a script that some were not numbers.
            ctx.exitCode = NumberStream(*ctx.in, *ctx.out, settings) ? ExitOk : ExitInputError;
            return;
        }
        const DmsAngle la = ParseAngle(opts->lat, "latitude");
        const DmsAngle lo = ParseAngle(opts->lon, "longitude");
        OutputBuffer buf(*ctx.out);
        AppendNumbers(buf, settings, la, lo);
        buf.Flush();
        ctx.exitCode = ExitOk;
    });
}

} // namespace sw::cli

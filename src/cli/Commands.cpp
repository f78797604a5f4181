#include "cli/Commands.h"

#include "cli/CliCommon.h"
#include "cli/OutputBuffer.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cerrno>
#include <new>
#include <ostream>
#include <sstream>

namespace sw::cli {

namespace {

int Run(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
        std::ostream& err, const CliEnvironment& env) {
    CLI::App app;
    CommandContext ctx{&in, &out, &err, ExitOk, env};
    DescribeCli(app, ctx);

    // CLI11 parses the last argument first when handed a vector in reverse order.
    std::vector<std::string> reversed(args.rbegin(), args.rend());
    try {
        app.parse(reversed);
    } catch (const CLI::CallForHelp&) {
        out << app.help();
        return ExitOk;
    } catch (const CLI::CallForAllHelp&) {
        out << app.help("", CLI::AppFormatMode::All);
        return ExitOk;
    } catch (const CLI::CallForVersion& e) {
        out << e.what() << '\n';
        return ExitOk;
    } catch (const CLI::ParseError& e) {
        err << "sheetwright-cli: " << e.what() << '\n';
        err << "Run 'sheetwright-cli --help' for usage.\n";
        return ExitUsage;
    } catch (const Error& e) {
        // Every refusal of the program, whichever part made it: its text as it
        // stands, the exit code by its kind.
        err << "sheetwright-cli: " << e.what() << '\n';
        return e.Kind() == ErrorKind::Usage ? ExitUsage : ExitInputError;
    } catch (const std::bad_alloc&) {
        err << "sheetwright-cli: out of memory: the input or the grid of sheets is too large for "
               "this machine; try a smaller area or a smaller scale\n";
        return ExitInputError;
    } catch (const std::exception& e) {
        // The standard library's own (a file system error): an input or output error.
        err << "sheetwright-cli: " << e.what() << '\n';
        return ExitInputError;
    }
    return ctx.exitCode;
}

} // namespace

void DescribeCli(CLI::App& app, CommandContext& ctx) {
    app.name("sheetwright-cli");
    app.description("Tells which sheets of the topographic map index cover a place, a route or an "
                    "area.\n\nExit codes: 0 success, 1 input or output error (also: a number "
                    "line answered with ERROR:, a point outside the index), 2 usage error.");
    app.set_version_flag("--version", std::string("sheetwright-cli ") + SHEETWRIGHT_VERSION);
    app.require_subcommand(1);
    RegisterNumberCommand(app, ctx);
    RegisterExtentCommand(app, ctx);
    RegisterSheetsCommand(app, ctx);
}

int RunCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
           std::ostream& err, const CliEnvironment& env) {
    int code = Run(args, in, out, err, env);
    try {
        // Whatever the command printed is on its way only once this succeeds.
        errno = 0;
        out.flush();
        CheckOutput(out);
    } catch (const OutputError& e) {
        // A command that failed has said why already.
        if (code == ExitOk) {
            err << "sheetwright-cli: " << e.what() << '\n';
            code = ExitInputError;
        }
    }
    return code;
}

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::istringstream nothing;
    return RunCli(args, nothing, out, err);
}

} // namespace sw::cli

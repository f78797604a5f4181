#pragma once

// Each sub-command registers itself on the application and, when chosen, runs
// after all options are parsed, reading what it reads from `in` (batch numbering),
// writing its result to `out` and messages to `err`.

#include "exchange/Modules.h"

#include <chrono>
#include <iosfwd>
#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace sw::cli {

// What the tool knows of where it runs. Progress is shown only on a terminal,
// and only for work that has run longer than `progressDelay`. `modules` are the
// optional parts the program has (the binary's `main` sets sources that load
// them on first use, the tests link them); without one, its options are not
// offered (the renderer's) or its files are refused when asked for.
struct CliEnvironment {
    bool errIsTerminal = false;
    std::chrono::milliseconds progressDelay{1000};
    Modules modules{};
};

struct CommandContext {
    std::istream* in;
    std::ostream* out;
    std::ostream* err;
    int exitCode = 0;
    CliEnvironment env{};
};

void RegisterNumberCommand(CLI::App& app, CommandContext& ctx);
void RegisterExtentCommand(CLI::App& app, CommandContext& ctx);
void RegisterSheetsCommand(CLI::App& app, CommandContext& ctx);

// The tool's description and its sub-commands with every option, as `--help`,
// the manual page and the shell completion see them.
void DescribeCli(CLI::App& app, CommandContext& ctx);

// Runs the tool on `args` (without the program name); returns the exit code. The
// output is flushed and checked before returning: a failed write gives a message
// on `err` and exit 1, whatever the command. Without `in`, nothing is read.
int RunCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
           std::ostream& err, const CliEnvironment& env = {});
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace sw::cli

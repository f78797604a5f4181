#pragma once

// Each sub-command registers itself on the application and, when chosen, runs
// after all options are parsed, reading what it reads from `in` (batch numbering),
// writing its result to `out` and messages to `err`.

#include <iosfwd>
#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace sw::cli {

struct CommandContext {
    std::istream* in;
    std::ostream* out;
    std::ostream* err;
    int exitCode = 0;
};

void RegisterNumberCommand(CLI::App& app, CommandContext& ctx);
void RegisterExtentCommand(CLI::App& app, CommandContext& ctx);
void RegisterSheetsCommand(CLI::App& app, CommandContext& ctx);

// Runs the tool on `args` (without the program name); returns the exit code. The
// output is flushed and checked before returning: a failed write gives a message
// on `err` and exit 1, whatever the command. Without `in`, nothing is read.
int RunCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
           std::ostream& err);
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace sw::cli

#pragma once

// Each sub-command registers itself on the application and, when chosen, runs
// after all options are parsed, writing its result to `out` and messages to `err`.

#include <iosfwd>
#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace sw::cli {

struct CommandContext {
    std::ostream* out;
    std::ostream* err;
    int exitCode = 0;
};

void RegisterNumberCommand(CLI::App& app, CommandContext& ctx);
void RegisterExtentCommand(CLI::App& app, CommandContext& ctx);
void RegisterSheetsCommand(CLI::App& app, CommandContext& ctx);

// Runs the tool on `args` (without the program name); returns the exit code.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace sw::cli

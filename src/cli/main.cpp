#include "cli/Commands.h"

#if SHEETWRIGHT_LOADS_MODULES
#include "cli/LoadedModules.h"
#else
#include "cli/LinkedCliModules.h"
#endif

#include <iostream>
#include <string>
#include <vector>

#include <unistd.h>

int main(int argc, char** argv) {
    // The streams keep buffers of their own instead of going through C stdio
    // character by character: batch numbering reads and writes millions of lines.
    std::ios::sync_with_stdio(false);
    std::vector<std::string> args(argv + 1, argv + argc);
    sw::cli::CliEnvironment env;
    env.errIsTerminal = ::isatty(STDERR_FILENO) == 1;
#if SHEETWRIGHT_LOADS_MODULES
    sw::cli::LoadModulesOnFirstUse(env.modules);
#else
    env.modules = sw::cli::LinkedCliModules();
#endif
    return sw::cli::RunCli(args, std::cin, std::cout, std::cerr, env);
}

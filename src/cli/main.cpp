#include "cli/Commands.h"

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
    return sw::cli::RunCli(args, std::cin, std::cout, std::cerr, env);
}

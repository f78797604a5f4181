#pragma once

// Runs the command-line tool in-process and captures what it prints.

#include "cli/Commands.h"

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

namespace sw::clitest {

struct Result {
    int code;
    std::string out;
    std::string err;
};

inline Result Cli(std::vector<std::string> args) {
    std::ostringstream out;
    std::ostringstream err;
    const int code = sw::cli::RunCli(args, out, err);
    return {code, out.str(), err.str()};
}

// The same with `input` as standard input.
inline Result CliWithInput(std::vector<std::string> args, const std::string& input) {
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    const int code = sw::cli::RunCli(args, in, out, err);
    return {code, out.str(), err.str()};
}

// A file of the test data folder, e.g. Data("text/square.txt").
inline std::string Data(const std::string& name) {
    const char* dir = std::getenv("SHEETWRIGHT_TEST_DATA");
    return std::string(dir != nullptr ? dir : "tests/data") + "/" + name;
}

} // namespace sw::clitest

#pragma once

// Runs the command-line tool in-process and captures what it prints.

#include "cli/Commands.h"
#include "cli/LinkedCliModules.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

namespace sw::clitest {

struct Result {
    int code;
    std::string out;
    std::string err;
};

// The tool as the tests run it: every optional part linked in.
inline sw::cli::CliEnvironment TestEnvironment() {
    sw::cli::CliEnvironment env;
    env.modules = sw::cli::LinkedCliModules();
    return env;
}

inline Result Cli(std::vector<std::string> args) {
    std::istringstream in;
    std::ostringstream out;
    std::ostringstream err;
    const int code = sw::cli::RunCli(args, in, out, err, TestEnvironment());
    return {code, out.str(), err.str()};
}

// The same with `input` as standard input.
inline Result CliWithInput(std::vector<std::string> args, const std::string& input) {
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    const int code = sw::cli::RunCli(args, in, out, err, TestEnvironment());
    return {code, out.str(), err.str()};
}

// A file of the test data folder, e.g. Data("text/square.txt").
inline std::string Data(const std::string& name) {
    const char* dir = std::getenv("SHEETWRIGHT_TEST_DATA");
    return std::string(dir != nullptr ? dir : "tests/data") + "/" + name;
}

// A fresh folder for the files of one test process, removed with everything in
// it at the end; `dir / "name"` is the path of a file in it.
struct TempDir {
    std::filesystem::path path;
    explicit TempDir(const std::string& prefix) {
        path = std::filesystem::temp_directory_path() / (prefix + std::to_string(::getpid()));
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    std::string operator/(const std::string& name) const { return (path / name).string(); }
};

// The whole file; empty when it cannot be read.
inline std::string Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace sw::clitest

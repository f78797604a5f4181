#pragma once

// Running the real GIS and spreadsheet programs on our files: a shell command's
// output and status, whether a tool is installed, and pickers for their output.

#include <gtest/gtest.h>

#include <cstdio>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace sw::test {

struct ToolRun {
    int Status = -1;
    std::string Output; // stdout and stderr together
};

inline ToolRun Shell(const std::string& command) {
    ToolRun run;
    std::FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr) {
        return run;
    }
    char buf[4096];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, pipe)) > 0) {
        run.Output.append(buf, n);
    }
    run.Status = ::pclose(pipe);
    return run;
}

inline bool HaveTool(const std::string& name) {
    return Shell("command -v " + name + " >/dev/null").Status == 0;
}

// The system interpreter first: it is the one the Debian packages serve.
inline std::string PythonWith(const std::string& module) {
    for (const char* py : {"/usr/bin/python3", "python3"}) {
        if (Shell(std::string(py) + " -c 'import " + module + "' >/dev/null").Status == 0) {
            return py;
        }
    }
    return {};
}

inline std::string Quote(const std::string& s) {
    return "'" + s + "'";
}

// Every number of a WKT line, so GDAL's "29.0" and "29" compare alike.
inline std::vector<double> Numbers(const std::string& text) {
    std::vector<double> v;
    static const std::regex number(R"(-?\d+(\.\d+)?)");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), number);
         it != std::sregex_iterator(); ++it) {
        v.push_back(std::stod(it->str()));
    }
    return v;
}

inline std::vector<std::string> LinesStartingWith(const std::string& text,
                                                  const std::string& prefix) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        const auto start = line.find_first_not_of(' ');
        if (start != std::string::npos && line.compare(start, prefix.size(), prefix) == 0) {
            lines.push_back(line.substr(start));
        }
    }
    return lines;
}

inline void ExpectNoWarnings(const std::string& output) {
    EXPECT_EQ(output.find("Warning"), std::string::npos) << output;
    EXPECT_EQ(output.find("ERROR"), std::string::npos) << output;
}

} // namespace sw::test

#define REQUIRE_TOOL(name)                                                                         \
    if (!::sw::test::HaveTool(name)) {                                                             \
        GTEST_SKIP() << name " is not installed";                                                  \
    }

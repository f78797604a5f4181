#pragma once

// The application's command line: `sheetwright [OPTION] [FILE]`. --help and
// --version print and end the program before any window exists (they need no
// display); a FILE is opened as if dropped on the main window.

#include <string>
#include <vector>

namespace sw::gui {

struct AppCommandLine {
    enum class Action { Run, Help, Version, Error };
    Action action = Action::Run;
    std::string file;    // the file to open at start; empty for none
    std::string message; // what Help, Version and Error print
};

// `args` without the program name. With `qtOptionsRemoved` false (before the
// toolkit has taken its own options such as -platform) --help and --version are
// looked for and an option that is neither ours nor the toolkit's is an Error;
// with it true an unknown option or a second file is an Error.
AppCommandLine ParseAppCommandLine(const std::vector<std::string>& args, bool qtOptionsRemoved);

} // namespace sw::gui

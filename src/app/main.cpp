#include "app/CommandLine.h"
#include "app/Startup.h"

#include <QApplication>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

// The arguments as the system passed them, their bytes untouched: a file's name
// becomes a path without passing through the toolkit's text.
std::vector<std::string> Arguments(int argc, char** argv) {
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

} // namespace

int main(int argc, char** argv) {
    // --help, --version and a mistyped option answer before the toolkit wants a
    // display.
    const sw::gui::AppCommandLine early =
        sw::gui::ParseAppCommandLine(Arguments(argc, argv), false);
    if (early.action == sw::gui::AppCommandLine::Action::Error) {
        std::fputs(early.message.c_str(), stderr);
        return 2;
    }
    if (early.action != sw::gui::AppCommandLine::Action::Run) {
        std::fputs(early.message.c_str(), stdout);
        return 0;
    }
    // The toolkit takes its own options (-platform, -style...) out of argc and argv.
    QApplication app(argc, argv);
    const sw::gui::AppCommandLine cl = sw::gui::ParseAppCommandLine(Arguments(argc, argv), true);
    if (cl.action == sw::gui::AppCommandLine::Action::Error) {
        std::fputs(cl.message.c_str(), stderr);
        return 2;
    }
    const auto windows = sw::gui::StartApplication();
    if (!cl.file.empty()) {
        sw::gui::OpenStartFile(*windows, std::filesystem::path(cl.file));
    }
    return QApplication::exec();
}

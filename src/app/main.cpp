#include "app/CommandLine.h"
#include "app/Startup.h"

#include <QApplication>
#include <QStringList>

#include <cstdio>

namespace {

std::vector<std::string> Arguments(const QStringList& args) {
    std::vector<std::string> out;
    for (qsizetype i = 1; i < args.size(); ++i) {
        out.push_back(args[i].toStdString());
    }
    return out;
}

} // namespace

int main(int argc, char** argv) {
    // --help, --version and a mistyped option answer before the toolkit wants a
    // display.
    const std::vector<std::string> raw(argv + (argc > 0 ? 1 : 0), argv + argc);
    const sw::gui::AppCommandLine early = sw::gui::ParseAppCommandLine(raw, false);
    if (early.action == sw::gui::AppCommandLine::Action::Error) {
        std::fputs(early.message.c_str(), stderr);
        return 2;
    }
    if (early.action != sw::gui::AppCommandLine::Action::Run) {
        std::fputs(early.message.c_str(), stdout);
        return 0;
    }
    QApplication app(argc, argv);
    const sw::gui::AppCommandLine cl =
        sw::gui::ParseAppCommandLine(Arguments(QApplication::arguments()), true);
    if (cl.action == sw::gui::AppCommandLine::Action::Error) {
        std::fputs(cl.message.c_str(), stderr);
        return 2;
    }
    const auto windows = sw::gui::StartApplication();
    if (!cl.file.empty()) {
        sw::gui::OpenStartFile(*windows, QString::fromStdString(cl.file));
    }
    return QApplication::exec();
}

// sheetwright-cli-docs MAN COMPLETION VERSION DATE: writes the tool's manual
// page and bash completion at build time from its option definitions.

#include "cli/CliDocs.h"
#include "cli/Commands.h"
#include "exchange/Renderer.h"

#include <CLI/CLI.hpp>

#include <fstream>
#include <iostream>
#include <sstream>

namespace {

bool Write(const std::string& path, const std::string& text) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << text;
    file.close();
    if (!file) {
        std::cerr << "sheetwright-cli-docs: cannot write " << path << '\n';
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::cerr << "usage: sheetwright-cli-docs MAN COMPLETION VERSION DATE\n";
        return 2;
    }
    std::istringstream in;
    std::ostringstream out;
    sw::cli::CommandContext ctx{&in, &out, &std::cerr};
#if SHEETWRIGHT_HAS_RENDERER
    // The binary offers the renderer's options; the pages only list them, so a
    // source that is never called stands for its module.
    ctx.env.modules.Render.Load([]() -> const sw::Renderer& {
        throw sw::Error(sw::ErrorKind::Usage, "the documents draw nothing");
    });
#endif
    CLI::App app;
    sw::cli::DescribeCli(app, ctx);
    const bool ok = Write(argv[1], sw::cli::CliManPage(app, argv[4], argv[3])) &&
                    Write(argv[2], sw::cli::CliBashCompletion(app));
    return ok ? 0 : 1;
}

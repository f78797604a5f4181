// The manual page and the completion are written from the option definitions:
// every option has its line in both, with its help text and its values.

#include "cli/CliDocs.h"
#include "cli/Commands.h"

#include <CLI/CLI.hpp>

#include <gtest/gtest.h>

#include <set>
#include <sstream>

namespace {

struct Described {
    std::istringstream in;
    std::ostringstream out;
    sw::cli::CommandContext ctx{&in, &out, &out};
    CLI::App app;
    Described() { sw::cli::DescribeCli(app, ctx); }
};

std::string Roffed(const std::string& name) {
    std::string out;
    for (const char c : name) {
        out += c == '-' ? std::string("\\-") : std::string(1, c);
    }
    return out;
}

// The position of the line that opens the option's entry (".B" or ".BI" with
// its names), or npos.
std::size_t TagLine(const std::string& page, const std::string& longName) {
    const std::string name = "\\-\\-" + Roffed(longName);
    std::size_t at = 0;
    while ((at = page.find("\n.B", at)) != std::string::npos) {
        ++at;
        const std::string line = page.substr(at, page.find('\n', at) - at);
        const std::size_t n = line.find(name);
        if (n != std::string::npos &&
            (n + name.size() == line.size() || line[n + name.size()] == ' ' ||
             line[n + name.size()] == ',')) {
            return at;
        }
    }
    return std::string::npos;
}

} // namespace

TEST(CliDocs, EveryOptionOfEveryCommandHasItsLineAndHelp) {
    Described d;
    const std::string page = sw::cli::CliManPage(d.app, "December 2026", SHEETWRIGHT_VERSION);
    const std::string completion = sw::cli::CliBashCompletion(d.app);
    EXPECT_NE(
        page.find(".TH SHEETWRIGHT\\-CLI 1 \"December 2026\" \"Sheetwright " SHEETWRIGHT_VERSION
                  "\""),
        std::string::npos);
    std::size_t options = 0;
    for (const CLI::App* cmd : d.app.get_subcommands([](const CLI::App*) { return true; })) {
        EXPECT_NE(page.find(".SS " + cmd->get_name() + "\n"), std::string::npos) << cmd->get_name();
        EXPECT_NE(completion.find(" " + cmd->get_name()), std::string::npos) << cmd->get_name();
        for (const CLI::Option* o : cmd->get_options()) {
            ++options;
            const std::string what = cmd->get_name() + " " + o->get_name();
            EXPECT_FALSE(o->get_description().empty()) << what << " has no help text";
            if (!o->nonpositional()) {
                EXPECT_NE(page.find(".I " + o->get_name() + "\n"), std::string::npos) << what;
                continue;
            }
            for (const std::string& l : o->get_lnames()) {
                // The option's tag line, then its help text on the next line.
                const std::size_t tag = TagLine(page, l);
                ASSERT_NE(tag, std::string::npos) << what << " lacks a line in the page";
                const std::size_t next = page.find('\n', tag) + 1;
                EXPECT_NE(page[next], '.') << what << " has no help text in the page";
                EXPECT_NE(completion.find("--" + l), std::string::npos)
                    << what << " is not completed";
            }
        }
    }
    EXPECT_GT(options, 30u); // the registry's outputs are among them
    // A text line never starts with a dot, which roff would take for a request.
    std::istringstream lines(page);
    const std::set<std::string> requests{".TH", ".SH", ".SS", ".TP", ".PP", ".B",  ".I",   ".BI",
                                         ".RI", ".RB", ".BR", ".br", ".nf", ".fi", ".\\\""};
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line[0] == '.') {
            EXPECT_TRUE(requests.count(line.substr(0, line.find(' '))) == 1) << line;
        }
    }
}

TEST(CliDocs, CompletionOffersTheValuesOfSeriesScalesAndFormats) {
    Described d;
    const std::string completion = sw::cli::CliBashCompletion(d.app);
    EXPECT_NE(completion.find("compgen -W \"number extent sheets --help --version\""),
              std::string::npos);
    EXPECT_NE(completion.find("--series)\n            COMPREPLY=($(compgen -W \"old open\""),
              std::string::npos)
        << completion;
    EXPECT_NE(completion.find("\"1:1M 1:2,50,000 1:1,25,000 1:50,000 1:25,000 1:10,000 1:2000\""),
              std::string::npos);
    EXPECT_NE(completion.find("\"text json csv geojson\""), std::string::npos);
    EXPECT_NE(completion.find("\"fast reference\""), std::string::npos);
    EXPECT_NE(completion.find("--out-format)\n            COMPREPLY=($(compgen -W \"gpkg geojson"),
              std::string::npos);
    // A file option completes file names; a number nothing.
    EXPECT_NE(completion.find("--polygon)\n            _filedir"), std::string::npos);
    EXPECT_NE(completion.find("--zoom)\n            return ;;"), std::string::npos);
    EXPECT_NE(completion.find("complete -F _sheetwright_cli sheetwright-cli"), std::string::npos);
}

// The report's text on every road out: a file name in any script stays whole
// wherever the format holds UTF-8 (the printed report, CSV, the workbook, both
// PDFs) and becomes '?' only in the Windows text of the BIFF worksheet; the CSV
// opens with a byte order mark unless --no-bom; and the report needs neither the
// renderer nor any font on the machine.

#include "CliTestSupport.h"

#include "../exchange/ClientTools.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <unistd.h>

using sw::clitest::Bytes;
using sw::clitest::Cli;
using sw::clitest::Data;
using sw::clitest::Result;
using sw::test::Quote;
using sw::test::Shell;
using sw::test::ToolRun;
namespace fs = std::filesystem;

namespace {

struct TempDir : sw::clitest::TempDir {
    TempDir() : sw::clitest::TempDir("sw-cli-report-text-") {}
};

// दिल्ली/क्षेत्र.txt: six and seven characters of Devanagari (fonts-lohit-deva
// draws them in the PDFs).
const std::string Delhi =
    "\xE0\xA4\xA6\xE0\xA4\xBF\xE0\xA4\xB2\xE0\xA5\x8D\xE0\xA4\xB2\xE0\xA5\x80";
const std::string Area = "\xE0\xA4\x95\xE0\xA5\x8D\xE0\xA4\xB7\xE0\xA5\x87\xE0\xA4\xA4\xE0\xA5\x8D"
                         "\xE0\xA4\xB0.txt";

std::string DevanagariInput(const TempDir& dir) {
    fs::create_directories(dir.path / Delhi);
    const std::string path = dir / (Delhi + "/" + Area);
    fs::copy_file(Data("text/square.txt"), path, fs::copy_options::overwrite_existing);
    return path;
}

} // namespace

TEST(ReportText, DevanagariNameStaysWholeInEveryFileButTheWorksheet) {
    TempDir dir;
    const std::string input = DevanagariInput(dir);
    const std::string line = "Input POLYLINE " + input;
    const Result r =
        Cli({"sheets", "--series", "old", "--scale", "1:50,000", "--polygon", input, "--report",
             "--report-csv", dir / "r.csv", "--xlsx", dir / "r.xlsx", "--xls", dir / "r.xls",
             "--report-pdf", dir / "r.pdf", "--pdf", dir / "l.pdf"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("\t" + line + "\t"), std::string::npos) << r.out;

    const std::string csv = Bytes(dir / "r.csv");
    EXPECT_EQ(csv.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_NE(csv.find("," + line + ","), std::string::npos) << csv;

    // The worksheet's Windows text: one '?' per character it lacks.
    const std::string xls = Bytes(dir / "r.xls");
    EXPECT_NE(xls.find(std::string(6, '?') + "/" + std::string(7, '?') + ".txt"),
              std::string::npos);
    EXPECT_EQ(xls.find(Area), std::string::npos);

    if (const std::string python = sw::test::PythonWith("openpyxl"); !python.empty()) {
        std::ofstream(dir / "read.py") << "import sys, openpyxl\n"
                                          "ws = openpyxl.load_workbook(sys.argv[1]).active\n"
                                          "for row in ws.iter_rows():\n"
                                          "    for c in row:\n"
                                          "        if isinstance(c.value, str) and "
                                          "c.value.startswith('Input'):\n"
                                          "            sys.stdout.buffer.write(c.value.encode())\n";
        const ToolRun run =
            Shell(python + " " + Quote(dir / "read.py") + " " + Quote(dir / "r.xlsx"));
        ASSERT_EQ(run.Status, 0) << run.Output;
        EXPECT_EQ(run.Output, line);
    }
    if (sw::test::HaveTool("pdftotext")) {
        // The name is drawn in Devanagari in both documents (the layout's title
        // line, the report's last row), not as question marks. Text extraction
        // gives back the shaped glyphs (conjuncts, reordered vowel signs), not
        // the characters in their order, so only the script is looked for.
        for (const char* pdf : {"r.pdf", "l.pdf"}) {
            const ToolRun run = Shell("pdftotext -raw " + Quote(dir / pdf) + " -");
            ASSERT_EQ(run.Status, 0) << run.Output;
            const auto at = run.Output.find("Input POLYLINE " + dir.path.string() + "/");
            ASSERT_NE(at, std::string::npos) << pdf << ": " << run.Output;
            const std::string name = run.Output.substr(at, run.Output.find(".txt", at) - at);
            EXPECT_NE(name.find("\xE0\xA4"), std::string::npos) << pdf << ": " << name;
            EXPECT_EQ(name.find('?'), std::string::npos) << pdf << ": " << name;
        }
    }
}

TEST(ReportText, CsvByteOrderMarkCanBeLeftOut) {
    TempDir dir;
    const Result r = Cli({"sheets", "--series", "old", "--scale", "1:50,000", "--point", "28:36:50",
                          "77:12:30", "--report-csv", dir / "r.csv", "--no-bom"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(Bytes(dir / "r.csv").substr(0, 7), " S.No.,");
}

#ifdef SHEETWRIGHT_CLI_PATH
// The binary alone, without the render module beside it (nor installed where it
// would look), prints and writes the report and its files: they load no Qt. The
// workbook comes from its own small module.
TEST(ReportText, ReportFilesNeedNoRenderModule) {
    TempDir dir;
    const fs::path cli = SHEETWRIGHT_CLI_PATH;
    fs::create_directories(dir.path / "bin");
    fs::copy_file(cli, dir.path / "bin" / "sheetwright-cli");
    fs::copy_file(cli.parent_path() / "sheetwright-xlsx.so",
                  dir.path / "bin" / "sheetwright-xlsx.so");
    const std::string run = Quote(dir / "bin/sheetwright-cli") +
                            " sheets --series old --scale 1:50,000 --point 28:36:50 77:12:30 ";
    const ToolRun report = Shell(run + "--report --xls " + Quote(dir / "r.xls") + " --xlsx " +
                                 Quote(dir / "r.xlsx") + " --report-csv " + Quote(dir / "r.csv"));
    ASSERT_EQ(report.Status, 0) << report.Output;
    EXPECT_NE(report.Output.find("TOTAL SHEETS\t1"), std::string::npos) << report.Output;
    EXPECT_EQ(Bytes(dir / "r.xlsx").substr(0, 2), "PK");
    EXPECT_FALSE(Bytes(dir / "r.xls").empty());
    EXPECT_FALSE(Bytes(dir / "r.csv").empty());
    // A picture does need it: without the module the option is not offered.
    const ToolRun picture = Shell(run + "--jpeg " + Quote(dir / "p.jpg") + " 2>&1");
    EXPECT_NE(picture.Status, 0);
    EXPECT_FALSE(fs::exists(dir / "p.jpg"));
}

// The report of a fixed feature with every font file of the machine hidden (a
// private mount namespace lays empty folders over them) is the report with them.
TEST(ReportText, ReportIsTheSameWithTheFontFilesHidden) {
    if (::geteuid() != 0 || !sw::test::HaveTool("unshare")) {
        GTEST_SKIP() << "hiding the font files needs root and unshare";
    }
    TempDir dir;
    fs::create_directories(dir.path / "empty");
    // In double quotes: the whole runs again inside single ones.
    const std::string command = std::string("\"") + SHEETWRIGHT_CLI_PATH +
                                "\" sheets --series open --scale 1:10,000 --polygon \"" +
                                Data("text/square.txt") + "\" --report";
    const ToolRun usual = Shell(command);
    ASSERT_EQ(usual.Status, 0) << usual.Output;
    std::string hide;
    for (const char* fonts : {"/usr/share/fonts", "/usr/share/wine/fonts"}) {
        if (fs::is_directory(fonts)) {
            hide += "mount --bind \"" + dir / "empty" + "\" " + fonts + " && ";
        }
    }
    const ToolRun hidden =
        Shell("unshare --mount sh -c " +
              Quote(hide + "test ! -e /usr/share/wine/fonts/tahoma.ttf && " + command));
    if (hidden.Status != 0 && usual.Output.find("TOTAL") != std::string::npos &&
        hidden.Output.find("TOTAL") == std::string::npos) {
        GTEST_SKIP() << "this machine gives no private mount namespace: " << hidden.Output;
    }
    EXPECT_EQ(hidden.Output, usual.Output);
    // Wrapped groups: more rows than the nine 1:50,000 groups the sheets fall in.
    EXPECT_GT(std::count(usual.Output.begin(), usual.Output.end(), '\n'), 20) << usual.Output;
}
#endif

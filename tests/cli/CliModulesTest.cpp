// The tool asks for an optional part (GDAL, the workbook's library, Qt) only when
// an output or input needs it: the binary loads each module on that first need,
// so text outputs and the core's own files must never ask.

#include "CliTestSupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

using sw::clitest::Data;
using sw::clitest::Result;

// Every part "fails to load", as a missing module would, and counts the asking.
struct Unloadable {
    std::shared_ptr<int> asked = std::make_shared<int>(0);
    template <typename Part> typename sw::ModuleSlot<Part>::Source Source(std::string what) const {
        return [asked = asked, what]() -> const Part& {
            ++*asked;
            throw sw::Error(sw::ErrorKind::Input, what + " cannot be loaded (test)");
        };
    }
};

Result RunWith(const Unloadable& parts, std::vector<std::string> args) {
    sw::cli::CliEnvironment env;
    env.modules.Gis.Load(parts.Source<sw::GisBackend>("the GIS formats"));
    env.modules.Workbook.Load(parts.Source<sw::WorkbookWriter>("the workbook output"));
    std::istringstream in;
    std::ostringstream out;
    std::ostringstream err;
    const int code = sw::cli::RunCli(args, in, out, err, env);
    return {code, out.str(), err.str()};
}

TEST(CliModules, TextOutputsAndTheCoresFilesNeedNoModule) {
    const Unloadable parts;
    sw::clitest::TempDir dir("sw-cli-modules-");
    const std::vector<std::string> scale{"--series", "old", "--scale", "1:50,000"};
    auto with = [&](std::vector<std::string> head, std::vector<std::string> tail) {
        head.insert(head.begin() + 1, scale.begin(), scale.end());
        head.insert(head.end(), tail.begin(), tail.end());
        return head;
    };
    EXPECT_EQ(RunWith(parts, with({"number"}, {"28:36:50", "77:12:30"})).out, "53H/2\n");
    EXPECT_EQ(RunWith(parts, with({"sheets"}, {"--point", "28:36:50", "77:12:30"})).code, 0);
    const Result files =
        RunWith(parts, with({"sheets"}, {"--polygon", Data("text/square.txt"), "--report", "--kml",
                                         dir / "s.kml", "--xls", dir / "r.xls", "--report-csv",
                                         dir / "r.csv", "--format", "csv"}));
    EXPECT_EQ(files.code, 0) << files.err;
    EXPECT_EQ(*parts.asked, 0);
}

TEST(CliModules, AModuleThatCannotLoadFailsOnlyTheOutputThatNeedsIt) {
    const Unloadable parts;
    sw::clitest::TempDir dir("sw-cli-modules-");
    const Result xlsx =
        RunWith(parts, {"sheets", "--series", "old", "--scale", "1:50,000", "--point", "28:36:50",
                        "77:12:30", "--xlsx", dir / "r.xlsx"});
    EXPECT_EQ(xlsx.code, 1);
    EXPECT_EQ(xlsx.err, "sheetwright-cli: the workbook output cannot be loaded (test)\n");
    {
        std::ofstream point(dir / "p.geojson");
        point << R"({"type":"Point","coordinates":[77.2083,28.6139]})";
    }
    const Result layer = RunWith(
        parts, {"sheets", "--series", "old", "--scale", "1:50,000", "--input", dir / "p.geojson"});
    EXPECT_EQ(layer.code, 1);
    EXPECT_NE(layer.err.find("the GIS formats cannot be loaded (test)"), std::string::npos);
    // Without a renderer the drawn outputs are not options at all.
    EXPECT_EQ(RunWith(parts, {"sheets", "--series", "old", "--scale", "1:50,000", "--point",
                              "28:36:50", "77:12:30", "--jpeg", dir / "p.jpg"})
                  .code,
              2);
}

} // namespace

// The checks `sheets` makes on its output names before reading anything, and the
// note it gives before a huge file.

#include "cli/OutputChecks.h"
#include "CliTestSupport.h"
#include "cli/CliCommon.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace sw::cli {
namespace {

const OutputFormat& Format(std::string_view id) {
    return *OutputFormatNamed(id);
}

std::string UsageMessage(const std::vector<ChosenOutput>& outputs) {
    try {
        CheckOutputNames(outputs);
    } catch (const UsageError& e) {
        return e.what();
    }
    return "(accepted)";
}

TEST(OutputNames, EmptyNamesAndTwoWritersOfOneFileAreUsageErrors) {
    const OutputFormat& kml = Format("kml");
    const OutputFormat& shp = Format("shapefile");
    const OutputFormat& xls = Format("worksheet");
    EXPECT_EQ(UsageMessage({{&kml, ""}}), "--kml needs a file name");
    EXPECT_EQ(UsageMessage({{&shp, "grid"}, {&kml, "grid"}, {&xls, "grid.xls"}}), "(accepted)");
    EXPECT_EQ(UsageMessage({{&shp, "clash"}, {&xls, "clash.shp"}}),
              "--shp and --xls would both write \"clash.shp\"");
    // The same file spelled another way, or reached through a link.
    EXPECT_EQ(UsageMessage({{&kml, "out.kml"}, {&xls, "./sub/../out.kml"}}),
              "--kml and --xls would both write \"./sub/../out.kml\"");
    const auto dir = std::filesystem::temp_directory_path() / "sheetwright-output-names";
    std::filesystem::create_directories(dir);
    std::filesystem::remove(dir / "link.prj");
    std::filesystem::create_symlink(dir / "real.xls", dir / "link.prj");
    EXPECT_EQ(UsageMessage({{&xls, (dir / "real.xls").string()}, {&shp, (dir / "link").string()}}),
              "--xls and --shp would both write \"" + (dir / "link.prj").string() + "\"");
    std::filesystem::remove_all(dir);
}

TEST(OutputNames, TheCommandRefusesBeforeReadingTheInput) {
    const auto r = clitest::Cli({"sheets", "--series", "old", "--scale", "1:50,000", "--polygon",
                                 "no-such-file.kml", "--kml", ""});
    EXPECT_EQ(r.code, ExitUsage);
    EXPECT_EQ(r.err, "sheetwright-cli: --kml needs a file name\n");
}

// --out takes part in every check the other outputs take, and no output may
// replace what the command reads.
TEST(OutputNames, GisOutputsClashesAndInputsAreUsageErrors) {
    const clitest::TempDir dir("sheetwright-out-names-");
    std::ofstream(dir / "x.geojson") << R"({"type":"Point","coordinates":[77.2,28.6]})";
    const std::string x = dir / "x.geojson";
    auto sheets = [&](std::vector<std::string> extra) {
        std::vector<std::string> args{"sheets", "--series", "old", "--scale", "1:50,000"};
        args.insert(args.end(), extra.begin(), extra.end());
        return clitest::Cli(args);
    };
    const struct {
        std::vector<std::string> args;
        std::string message;
    } cases[] = {
        {{"--point", "28", "77", "--out", ""}, "--out needs a file name"},
        {{"--point", "28", "77", "--out", dir / "c.shp", "--shp", dir / "c"},
         "--shp and --out would both write \"" + dir / "c.shp" + "\""},
        {{"--point", "28", "77", "--out", dir / "g.gml", "--xls", dir / "g.xsd"},
         "--xls and --out would both write \"" + dir / "g.xsd" + "\""},
        {{"--input", x, "--out", x}, "--out would replace the input \"" + x + "\""},
        {{"--input", x, "--out", dir / "x.csv", "--out-format", "csv", "--xls", dir / "x.prj"},
         "--xls and --out would both write \"" + dir / "x.prj" + "\""},
        {{"--polygon", dir / "area.shp", "--shp", dir / "area"},
         "--shp would replace the input \"" + dir / "area.shp" + "\""},
    };
    for (const auto& c : cases) {
        const clitest::Result r = sheets(c.args);
        EXPECT_EQ(r.code, ExitUsage) << c.message << ": " << r.err;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    }
    EXPECT_EQ(clitest::Bytes(x), R"({"type":"Point","coordinates":[77.2,28.6]})");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(LargeOutputs, NotedWithTheirSizeBeforeWriting) {
    SheetsResult r;
    r.settings = StartSettings();
    r.grid.GridCols = 100;
    r.grid.GridRows = 100;
    r.grid.SheetList.resize(10'000);
    std::ostringstream err;
    NoteLargeOutputs({{&Format("shapefile"), "big"}, {&Format("worksheet"), "r.xls"}}, r, err,
                     1'000'000);
    EXPECT_EQ(err.str(), "sheetwright-cli: note: --shp writes about 2 MB to \"big.shp\"\n");
    std::ostringstream gis;
    NoteLargeOutputs({{&Format("gpkg"), "big.gpkg", "--out"}}, r, gis, 1'000'000);
    EXPECT_EQ(gis.str(), "sheetwright-cli: note: --out writes about 3 MB to \"big.gpkg\"\n");
    r.grid.InSheetCount = 100'000;
    std::ostringstream report;
    NoteLargeOutputs({{&Format("report-pdf"), "r.pdf"}}, r, report, 1'000'000);
    EXPECT_EQ(report.str(), "sheetwright-cli: note: --report-pdf writes about 2 MB to \"r.pdf\"\n");
    std::ostringstream quiet;
    NoteLargeOutputs({{&Format("shapefile"), "big"}}, r, quiet);
    EXPECT_EQ(quiet.str(), "");
    EXPECT_EQ(ApproximateSize(uint64_t{4'524'830'377}), "about 4.2 GB");
    EXPECT_EQ(WithFileName("Disk full", "a.kml"), "cannot write \"a.kml\": Disk full");
    EXPECT_EQ(WithFileName("Cannot create file \"a.kml\". Permission denied", "a.kml"),
              "Cannot create file \"a.kml\". Permission denied");
}

} // namespace
} // namespace sw::cli

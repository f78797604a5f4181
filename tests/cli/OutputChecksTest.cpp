// The checks `sheets` makes on its output names before reading anything, and the
// note it gives before a huge file.

#include "cli/OutputChecks.h"
#include "CliTestSupport.h"
#include "cli/CliCommon.h"

#include <gtest/gtest.h>

#include <filesystem>
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

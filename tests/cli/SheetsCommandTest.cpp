#include "CliTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>

namespace {

using sw::clitest::Cli;
using sw::clitest::Result;

std::string Data(const std::string& name) {
    return sw::clitest::Data("text/" + name);
}

std::vector<std::string> Sheets(std::vector<std::string> extra) {
    std::vector<std::string> args{"sheets", "--series", "old", "--scale", "1:50,000"};
    args.insert(args.end(), extra.begin(), extra.end());
    return args;
}

} // namespace

TEST(SheetsCommand, PointPrintsItsSheet) {
    const Result r = Cli(Sheets({"--point", "28:36:50", "77:12:30"}));
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "53H/2\n");
}

TEST(SheetsCommand, PolygonFromTextFileListsTouchedAndInnerSheetsSortedAsTheReport) {
    const Result r = Cli(Sheets({"--polygon", Data("square.txt")}));
    ASSERT_EQ(r.code, 0) << r.err;
    // Text order, ignoring case: 53H/10 before 53H/2.
    EXPECT_EQ(r.out, "53C/16\n53D/13\n53D/14\n53D/15\n53G/12\n53G/4\n53G/8\n53H/1\n53H/10\n"
                     "53H/11\n53H/2\n53H/3\n53H/5\n53H/6\n53H/7\n53H/9\n");
    // As a polyline the ring is open and the inner sheet 53H/5 is not enclosed.
    const Result line = Cli(Sheets({"--polyline", Data("square.txt")}));
    EXPECT_EQ(line.out.find("53H/5\n"), std::string::npos) << line.out;
    EXPECT_NE(line.out.find("53H/6\n"), std::string::npos) << line.out;
}

TEST(SheetsCommand, ReferenceAlgorithmGivesTheSameOutput) {
    const Result fast = Cli(Sheets({"--polygon", Data("square.txt"), "--format", "csv"}));
    const Result ref = Cli(
        Sheets({"--polygon", Data("square.txt"), "--format", "csv", "--algorithm", "reference"}));
    EXPECT_EQ(fast.code, 0);
    EXPECT_EQ(fast.out, ref.out);
}

TEST(SheetsCommand, JsonHasEveryCellInListOrder) {
    const Result r = Cli({"sheets", "--series", "old", "--scale", "1:1M", "--zoom", "35", "--point",
                          "28:00:00", "77:12:30", "--format", "json"});
    ASSERT_EQ(r.code, 0) << r.err;
    // A point on the 28°N sheet line: two rows, both IN.
    EXPECT_EQ(r.out, "{\"series\": \"old\", \"scale\": \"1:1M\", \"zoom\": 35, \"west_sec\": "
                     "273600, \"north_sec\": 115200, \"cols\": 1, \"rows\": 2, \"in_count\": 2, "
                     "\"sheets\": [[\"53\", 1], [\"54\", 1]]}\n");
}

TEST(SheetsCommand, CsvHasOneLinePerCell) {
    const Result r = Cli({"sheets", "--series", "open", "--scale", "1:1M", "--point", "28:00:00",
                          "72:00:00", "--format", "csv"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "0,0,0,H42,IN\n1,0,1,H43,IN\n2,1,0,G42,IN\n3,1,1,G43,IN\n");
    // Zone 41 reaches from 60°E into the index at 64°E: its sheets are sheets.
    const Result west = Cli({"sheets", "--series", "open", "--scale", "1:1M", "--point", "28:00:00",
                             "66:00:00", "--format", "csv"});
    EXPECT_EQ(west.out, "0,0,0,H41,IN\n1,0,1,H42,IN\n2,1,0,G41,IN\n3,1,1,G42,IN\n");
    // A cell wholly outside the index (in the cut-out south of 20°N, west of
    // 72°E) stays in the list as "#" and OUT.
    const Result cut = Cli({"sheets", "--series", "open", "--scale", "1:1M", "--point", "20:00:00",
                            "72:00:00", "--format", "csv"});
    EXPECT_EQ(cut.out, "0,0,0,F42,IN\n1,0,1,F43,IN\n2,1,0,#,OUT\n3,1,1,E43,IN\n");
}

TEST(SheetsCommand, SheetsReachingIntoTheIndexAreListedEveryWay) {
    // Kolkata lies in old 79, whose south-west degree is in the cut-out.
    const std::vector<std::string> kolkata{"sheets", "--series", "old",   "--scale",
                                           "1:1M",   "--point",  "22.57", "88.36"};
    EXPECT_EQ(Cli({"number", "--series", "old", "--scale", "1:1M", "22.57", "88.36"}).out, "79\n");
    EXPECT_EQ(Cli(kolkata).out, "79\n");
    // The text, csv and json printed from the IN mask, the report of the full
    // grid and the reference enumeration agree.
    for (const char* format : {"text", "csv", "json"}) {
        std::vector<std::string> args = kolkata;
        args.insert(args.end(), {"--format", format});
        const Result fast = Cli(args);
        args.insert(args.end(), {"--algorithm", "reference"});
        const Result ref = Cli(args);
        EXPECT_EQ(fast.code, 0) << fast.err;
        EXPECT_EQ(fast.out, ref.out) << format;
        EXPECT_NE(fast.out.find("79"), std::string::npos) << fast.out;
    }
    std::vector<std::string> report = kolkata;
    report.push_back("--report");
    const Result r = Cli(report);
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("79"), std::string::npos) << r.out;
    // A point in the 64°E-66°E strip is in its zone-41 sheet; the number of a
    // point outside the index keeps its meaning.
    EXPECT_EQ(Cli({"sheets", "--series", "open", "--scale", "1:1M", "--point", "36.5", "65.5"}).out,
              "J41\n");
    EXPECT_EQ(Cli({"number", "--series", "open", "--scale", "1:1M", "30", "63"}).out, "#\n");
}

TEST(SheetsCommand, DecimalPointsKeepTheirFractionsOfASecond) {
    // 28°00'00.3"N 77°00'00.3"E, a third of a second from a 1:2000 sheet corner:
    // 0.58 px at zoom 70, so one sheet; as whole seconds it lay on the corner.
    const double lat = 28.0 + 0.3 / 3600.0;
    const double lon = 77.0 + 0.3 / 3600.0;
    std::ostringstream la;
    std::ostringstream lo;
    la.precision(12);
    lo.precision(12);
    la << lat;
    lo << lon;
    const Result exact =
        Cli({"sheets", "--series", "open", "--scale", "1:2000", "--point", la.str(), lo.str()});
    EXPECT_EQ(exact.code, 0) << exact.err;
    EXPECT_EQ(exact.out,
              Cli({"number", "--series", "open", "--scale", "1:2000", "28:00:01", "77:00:01"}).out);
    const Result whole =
        Cli({"sheets", "--series", "open", "--scale", "1:2000", "--point", "28:00:00", "77:00:00"});
    EXPECT_EQ(std::count(whole.out.begin(), whole.out.end(), '\n'), 4) << whole.out;
}

TEST(SheetsCommand, InputErrorsExitOneWithTheMessage) {
    const Result missing = Cli(Sheets({"--polyline", Data("no-such-file.txt")}));
    EXPECT_EQ(missing.code, 1);
    EXPECT_NE(missing.err.find("no-such-file.txt"), std::string::npos) << missing.err;
    EXPECT_NE(missing.err.find("No such file"), std::string::npos) << missing.err;

    const Result heading = Cli(Sheets({"--polygon", Data("heading.txt")}));
    EXPECT_EQ(heading.code, 1);
    EXPECT_NE(heading.err.find("'LatDeg' is not a valid integer value"), std::string::npos)
        << heading.err;
    EXPECT_TRUE(heading.out.empty());

    const Result huge = Cli({"sheets", "--series", "open", "--scale", "1:2000", "--point", "0", "0",
                             "--polyline", Data("square.txt")});
    EXPECT_EQ(huge.code, 2); // two features at once is a usage error
}

TEST(SheetsCommand, UsageErrorsExitTwo) {
    EXPECT_EQ(Cli(Sheets({"--point", "28:36:50"})).code, 2);
    EXPECT_EQ(Cli(Sheets({})).code, 2);
    EXPECT_EQ(Cli(Sheets({"--zoom", "0", "--point", "28", "77"})).code, 2);
    EXPECT_EQ(Cli(Sheets({"--zoom", "141", "--point", "28", "77"})).code, 2);
    EXPECT_EQ(Cli(Sheets({"--format", "xml", "--point", "28", "77"})).code, 2);
    EXPECT_EQ(Cli(Sheets({"--algorithm", "slow", "--point", "28", "77"})).code, 2);
    EXPECT_EQ(Cli(Sheets({"--polygon", "area.dxf"})).code, 2);
}

TEST(SheetsCommand, ZoomTakesPartInTheDecision) {
    // The first segment runs 5" west of the 77°15'E line: under half a pixel at
    // zoom 5 (180" a pixel) and 70, so the sheets east of the line are touched too; at
    // zoom 140 (about 6.4" a pixel) they are not.
    const auto run = [](const char* zoom) {
        return Cli(Sheets({"--zoom", zoom, "--polyline", Data("near-meridian.txt")})).out;
    };
    EXPECT_EQ(run("5"), "53H/3\n53H/4\n53H/7\n53H/8\n");
    EXPECT_EQ(run("140"), "53H/3\n53H/4\n53H/7\n");
    EXPECT_EQ(run("70"), "53H/3\n53H/4\n53H/7\n53H/8\n"); // 12.9" a pixel
}

#include "CliTestSupport.h"

#include <gtest/gtest.h>

using sw::clitest::Cli;
using sw::clitest::CliWithInput;
using sw::clitest::Result;

TEST(NumberCommand, PrintsTheSheetOfBothSeries) {
    EXPECT_EQ(Cli({"number", "--series", "old", "--scale", "1:50,000", "28:36:50", "77:12:30"}).out,
              "53H/2\n");
    EXPECT_EQ(
        Cli({"number", "--series", "open", "--scale", "1:50,000", "28:36:50", "77:12:30"}).out,
        "H43X02\n");
    EXPECT_EQ(Cli({"number", "--series", "open", "--scale", "1:2000", "28:36:50", "77:12:30"}).out,
              "H43X02O04\n");
    EXPECT_EQ(Cli({"number", "--series", "old", "--scale", "1:250000", "28:36:50", "77:12:30"}).out,
              "53H\n");
}

TEST(NumberCommand, DecimalDegreesGoThroughDmsConversion) {
    const Result r =
        Cli({"number", "--series", "old", "--scale", "1:25,000", "28.6139", "77.2083"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "53H/2/SE\n");
    // 23.99999 rounds to 23°59'60", which counts as 24°00'00" and so lies in sheet 54, not 55.
    EXPECT_EQ(Cli({"number", "--series", "old", "--scale", "1:1M", "23.99999", "77"}).out, "54\n");
}

TEST(NumberCommand, OutsideTheIndexPrintsHash) {
    const Result r =
        Cli({"number", "--series", "old", "--scale", "1:50000", "40:00:00", "77:00:00"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "#\n");
}

TEST(NumberCommand, UsageErrorsExitTwo) {
    const Result unknownScale =
        Cli({"number", "--series", "open", "--scale", "1:1,25,000", "28:36:50", "77:12:30"});
    EXPECT_EQ(unknownScale.code, 2);
    EXPECT_NE(unknownScale.err.find("1:2,50,000, 1:50,000, 1:25,000, 1:10,000, 1:2000"),
              std::string::npos)
        << unknownScale.err;
    EXPECT_EQ(Cli({"number", "--series", "new", "--scale", "1:1M", "28", "77"}).code, 2);
    // The refusals' exact words, which the library calls share.
    EXPECT_EQ(unknownScale.err,
              "sheetwright-cli: unknown scale '1:1,25,000' for the open series; valid scales: "
              "1:1M, 1:2,50,000, 1:50,000, 1:25,000, 1:10,000, 1:2000\n");
    EXPECT_EQ(Cli({"number", "--series", "new", "--scale", "1:1M", "28", "77"}).err,
              "sheetwright-cli: unknown series 'new': use old or open\n");
    EXPECT_EQ(Cli({"number", "--series", "old", "--scale", "1:1M", "28:61:00", "77"}).code, 2);
    EXPECT_EQ(Cli({"number", "--series", "old", "--scale", "1:1M", "28:1", "77"}).code, 2);
    EXPECT_EQ(Cli({"number", "--series", "old", "--scale", "1:1M", "abc", "77"}).code, 2);
    EXPECT_EQ(Cli({"number", "--series", "old", "--scale", "1:1M", "nan", "77"}).code, 2);
    EXPECT_EQ(Cli({"number", "--series", "old", "--scale", "1:1M", "28"}).code, 2);
    EXPECT_EQ(Cli({"number", "--scale", "1:1M", "28", "77"}).code, 2);
    EXPECT_EQ(Cli({}).code, 2);
    EXPECT_EQ(Cli({"frobnicate"}).code, 2);
    EXPECT_TRUE(Cli({"number"}).out.empty());
}

TEST(NumberCommand, HelpAndVersionExitZero) {
    const Result help = Cli({"--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_NE(help.out.find("number"), std::string::npos);
    const Result sub = Cli({"number", "--help"});
    EXPECT_EQ(sub.code, 0);
    EXPECT_NE(sub.out.find("--series"), std::string::npos);
    const Result version = Cli({"--version"});
    EXPECT_EQ(version.code, 0);
    EXPECT_NE(version.out.find("sheetwright-cli"), std::string::npos);
}

TEST(ExtentCommand, PrintsEdgesAndNeighbours) {
    const Result r = Cli({"extent", "--series", "old", "53H/6"});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("scale 1:50,000"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("south 28\xC2\xB0"
                         "30'00\" 28.5"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("53H/1\t53H/5\t53H/9"), std::string::npos) << r.out;
    const Result j = Cli({"extent", "--series", "open", "--format", "json", "H43"});
    EXPECT_EQ(j.code, 0);
    EXPECT_NE(j.out.find("\"east\": 78.0"), std::string::npos) << j.out;
}

TEST(ExtentCommand, NeighboursReachingIntoTheIndexAreNumbered) {
    // West of G42 lies G41 (60°E-66°E), part of which the index covers.
    const Result r = Cli({"extent", "--series", "open", "--format", "json", "G42"});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("\"G41\""), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("\"#\""), std::string::npos) << r.out;
    const Result b46 = Cli({"extent", "--series", "open", "C46"});
    EXPECT_EQ(b46.code, 0) << b46.err;
    EXPECT_NE(b46.out.find("B46"), std::string::npos) << b46.out;
    EXPECT_NE(b46.out.find("D46"), std::string::npos) << b46.out;
}

TEST(ExtentCommand, UnknownSheetIsAnInputError) {
    const Result r = Cli({"extent", "--series", "old", "53H/17"});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("53H/17"), std::string::npos);
    EXPECT_EQ(Cli({"extent", "--series", "old"}).code, 2);
}

TEST(NumberCommandBatch, EveryInputLineGetsItsAnswerLineInOrder) {
    const std::string input = "28:36:50 77:12:30\n"
                              "28.6139,77.2083\n"
                              "\n"
                              "28:36:50\t77:12:30\r\n"
                              "abc 77\n"
                              "28:36:50 , 77:12:30\n"
                              "28 77 5\n"
                              "40:00:00 77:00:00\n"
                              "28:61:00 77\n"
                              "   \n"
                              "28:36:50 77:12:30"; // no line end on the last line
    const Result r = CliWithInput({"number", "--series", "old", "--scale", "1:50,000"}, input);
    EXPECT_EQ(r.code, 1) << r.err; // some lines were not read
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out,
              "53H/2\n"
              "53H/2\n"
              "ERROR: no position on this line\n"
              "53H/2\n"
              "ERROR: invalid latitude 'abc': use D:M:S with whole numbers (28:36:50) or "
              "decimal degrees (28.6139)\n"
              "53H/2\n"
              "ERROR: expected LAT LON, found 3 values\n"
              "#\n"
              "ERROR: invalid latitude '28:61:00': degrees 0 to 360, minutes and seconds 0 to "
              "59\n"
              "ERROR: no position on this line\n"
              "53H/2\n");
}

TEST(NumberCommandBatch, NoInputNoOutputAndOneValueIsAnError) {
    EXPECT_EQ(CliWithInput({"number", "--series", "old", "--scale", "1:1M"}, "").out, "");
    EXPECT_EQ(CliWithInput({"number", "--series", "old", "--scale", "1:1M"}, "28\n").out,
              "ERROR: expected LAT LON, found 1 value\n");
}

TEST(NumberCommandBatch, AllScalesPrintsEveryScaleOfTheSeriesTabSeparated) {
    const Result one = Cli({"number", "--series", "old", "--all-scales", "28:36:50", "77:12:30"});
    EXPECT_EQ(one.code, 0) << one.err;
    EXPECT_EQ(one.out, "53\t53H\t53H/NW\t53H/2\t53H/2/SE\n");
    const Result open =
        CliWithInput({"number", "--series", "open", "--all-scales"}, "28:36:50 77:12:30\nx\n");
    EXPECT_EQ(open.out.substr(0, open.out.find('\n')),
              "H43\tH43X\tH43X02\tH43X02/SE\tH43X02O\tH43X02O04")
        << open.out;
    EXPECT_EQ(open.out.substr(open.out.find('\n') + 1), "ERROR: expected LAT LON, found 1 value\n");
    // Either a scale or every scale, not both, and not neither.
    EXPECT_EQ(
        Cli({"number", "--series", "old", "--all-scales", "--scale", "1:1M", "28", "77"}).code, 2);
    EXPECT_EQ(Cli({"number", "--series", "old", "28", "77"}).code, 2);
}

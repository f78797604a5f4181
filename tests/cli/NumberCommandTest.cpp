#include "CliTestSupport.h"

#include <gtest/gtest.h>

using sw::clitest::Cli;
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

TEST(ExtentCommand, UnknownSheetIsAnInputError) {
    const Result r = Cli({"extent", "--series", "old", "53H/17"});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("53H/17"), std::string::npos);
    EXPECT_EQ(Cli({"extent", "--series", "old"}).code, 2);
}

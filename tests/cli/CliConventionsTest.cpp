// What a script and a user at a terminal may rely on: exit codes that tell a
// failed line or a point outside the index, and a progress line only where a
// person watches.

#include "CliTestSupport.h"

#include "cli/ProgressLine.h"

#include <gtest/gtest.h>

#include <sstream>

using sw::clitest::Cli;
using sw::clitest::CliWithInput;
using sw::clitest::Data;
using sw::clitest::Result;

namespace {

Result CliAtTerminal(std::vector<std::string> args) {
    std::istringstream in;
    std::ostringstream out;
    std::ostringstream err;
    sw::cli::CliEnvironment env = sw::clitest::TestEnvironment();
    env.errIsTerminal = true;
    env.progressDelay = std::chrono::milliseconds(0);
    const int code = sw::cli::RunCli(args, in, out, err, env);
    return {code, out.str(), err.str()};
}

} // namespace

TEST(CliExitCodes, NumberBatchExitsOneWhenALineFailedButAnswersEveryLine) {
    const Result bad = CliWithInput({"number", "--series", "old", "--scale", "1:50,000"},
                                    "28:36:50 77:12:30\nabc 77\n28.6139 77.2083\n");
    EXPECT_EQ(bad.code, 1);
    EXPECT_EQ(bad.out, "53H/2\nERROR: invalid latitude 'abc': use D:M:S with whole numbers "
                       "(28:36:50) or decimal degrees (28.6139)\n53H/2\n");
    // A position outside the index is an answer ("#"), not a failed line.
    const Result good = CliWithInput({"number", "--series", "old", "--scale", "1:50,000"},
                                     "28:36:50 77:12:30\n50:00:00 10:00:00\n");
    EXPECT_EQ(good.code, 0) << good.err;
    EXPECT_EQ(good.out, "53H/2\n#\n");
}

TEST(CliExitCodes, PointOutsideTheIndexSaysSoOnOneLineAndExitsOne) {
    for (const char* format : {"text", "csv", "json"}) {
        const Result r = Cli({"sheets", "--series", "old", "--scale", "1:50,000", "--point",
                              "50:00:00", "10:00:00", "--format", format});
        EXPECT_EQ(r.code, 1) << format;
        EXPECT_EQ(r.out, "") << format;
        EXPECT_EQ(r.err, "sheetwright-cli: the point 50:00:00 10:00:00 lies outside the index\n");
    }
    // Nothing is written for it either.
    sw::clitest::TempDir dir("sw-outside-");
    const Result kml = Cli({"sheets", "--series", "old", "--scale", "1:50,000", "--point", "50",
                            "10", "--kml", (dir.path / "p.kml").string()});
    EXPECT_EQ(kml.code, 1);
    EXPECT_FALSE(std::filesystem::exists(dir.path / "p.kml"));
    // A point on the index's edge still has its sheet.
    EXPECT_EQ(Cli({"sheets", "--series", "old", "--scale", "1:1M", "--point", "28", "77"}).code, 0);
}

TEST(CliProgress, ShownOnATerminalRewrittenInPlaceAndEnded) {
    // The sheet list (here of the reference algorithm) is numbered with progress.
    const std::vector<std::string> args{"sheets",
                                        "--series",
                                        "old",
                                        "--scale",
                                        "1:50,000",
                                        "--polygon",
                                        Data("text/square.txt"),
                                        "--algorithm",
                                        "reference",
                                        "--format",
                                        "csv"};
    const Result shown = CliAtTerminal(args);
    ASSERT_EQ(shown.code, 0) << shown.err;
    EXPECT_EQ(shown.err.rfind("\rsheetwright-cli: computing the sheets... ", 0), 0u) << shown.err;
    // The result starts on a line of its own.
    EXPECT_NE(shown.err.find("\rsheetwright-cli: computing the sheets... 100%\n"),
              std::string::npos)
        << shown.err;
    EXPECT_EQ(shown.err.back(), '\n');
    // The printed result is the same as without a terminal, which gets no progress.
    const Result plain = Cli(args);
    EXPECT_EQ(plain.err, "");
    EXPECT_EQ(shown.out, plain.out);
    std::vector<std::string> quiet = args;
    quiet.push_back("--quiet");
    EXPECT_EQ(CliAtTerminal(quiet).err, "");
}

TEST(CliProgress, NothingBeforeTheDelayThenEachChangeOnceOverwritingTheLine) {
    using namespace std::chrono;
    steady_clock::time_point now{};
    std::ostringstream err;
    {
        sw::cli::ProgressLine line(err, true, milliseconds(1000), [&now] { return now; });
        line.Update("working", 10);
        now += milliseconds(999);
        line.Update("working", 20);
        EXPECT_EQ(err.str(), "");
        now += milliseconds(1);
        line.Update("working", 30);
        line.Update("working", 30);
        line.Update("writing a.kml", 31);
        line.Update("ending", 100);
    } // the line is ended with the work
    EXPECT_EQ(err.str(), "\rsheetwright-cli: working... 30%"
                         "\rsheetwright-cli: writing a.kml... 31%"
                         "\rsheetwright-cli: ending... 100%      \n");

    std::ostringstream none;
    {
        sw::cli::ProgressLine line(none, false, milliseconds(0));
        line.Update("working", 50);
    }
    EXPECT_EQ(none.str(), "");
}

TEST(CliProgress, WritingNamesEachFile) {
    sw::clitest::TempDir dir("sw-progress-");
    const std::string kml = (dir.path / "a.kml").string();
    const Result r = CliAtTerminal({"sheets", "--series", "old", "--scale", "1:50,000", "--point",
                                    "28:36:50", "77:12:30", "--kml", kml});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.err.find("\rsheetwright-cli: writing " + kml + "... 0%"), std::string::npos)
        << r.err;
    EXPECT_NE(r.err.find("\rsheetwright-cli: writing the files... 100%"), std::string::npos)
        << r.err;
    EXPECT_EQ(r.err.back(), '\n');
    EXPECT_EQ(r.out, "53H/2\n");
}

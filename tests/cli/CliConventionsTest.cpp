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
    sw::cli::CliEnvironment env;
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
    // The report is made from the sheet list, whose numbering reports progress.
    const std::vector<std::string> args{
        "sheets",  "--series", "old", "--scale", "1:50,000", "--polygon", Data("text/square.txt"),
        "--report"};
    const Result shown = CliAtTerminal(args);
    ASSERT_EQ(shown.code, 0) << shown.err;
    EXPECT_EQ(shown.err.rfind("\rsheetwright-cli: computing the sheets... ", 0), 0u) << shown.err;
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

TEST(CliProgress, NothingBeforeTheDelayThenEachChangeOnce) {
    using namespace std::chrono;
    steady_clock::time_point now{};
    std::ostringstream err;
    {
        sw::cli::ProgressLine line(err, true, "working", milliseconds(1000),
                                   [&now] { return now; });
        line.Update(10);
        now += milliseconds(999);
        line.Update(20);
        EXPECT_EQ(err.str(), "");
        now += milliseconds(1);
        line.Update(30);
        line.Update(30);
        line.Update(31);
    } // the line is ended when the work is
    EXPECT_EQ(err.str(), "\rsheetwright-cli: working... 30%\rsheetwright-cli: working... 31%\n");

    std::ostringstream none;
    {
        sw::cli::ProgressLine line(none, false, "working", milliseconds(0));
        line.Update(50);
    }
    EXPECT_EQ(none.str(), "");
}

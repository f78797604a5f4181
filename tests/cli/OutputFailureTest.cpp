// Every command checks that its output arrived: a stream that stops taking bytes
// (a full disk, a closed pipe) gives exit 1 and a message, never a silent success.

#include "CliTestSupport.h"
#include "cli/OutputBuffer.h"

#include <gtest/gtest.h>

#include <ostream>
#include <sstream>
#include <streambuf>

namespace {

using sw::clitest::Data;

// Takes `room` bytes, then refuses everything.
class FillingBuf : public std::streambuf {
public:
    explicit FillingBuf(std::size_t room) : room_(room) {}
    std::string taken;

protected:
    int_type overflow(int_type ch) override {
        if (ch == traits_type::eof()) {
            return traits_type::not_eof(ch);
        }
        const char c = traits_type::to_char_type(ch);
        return xsputn(&c, 1) == 1 ? ch : traits_type::eof();
    }
    std::streamsize xsputn(const char* s, std::streamsize n) override {
        const auto k = std::min<std::size_t>(static_cast<std::size_t>(n), room_);
        taken.append(s, k);
        room_ -= k;
        return static_cast<std::streamsize>(k);
    }

private:
    std::size_t room_;
};

struct Outcome {
    int code;
    std::string err;
};

Outcome RunInto(std::size_t room, const std::vector<std::string>& args) {
    FillingBuf buf(room);
    std::ostream out(&buf);
    std::ostringstream err;
    std::istringstream in("28:36:50 77:12:30\n");
    const int code = sw::cli::RunCli(args, in, out, err, sw::clitest::TestEnvironment());
    return {code, err.str()};
}

std::vector<std::vector<std::string>> EveryOutput() {
    const std::string square = Data("text/square.txt");
    std::vector<std::vector<std::string>> all{
        {"number", "--series", "old", "--scale", "1:50,000", "28:36:50", "77:12:30"},
        {"number", "--series", "old", "--scale", "1:50,000"},
        {"extent", "--series", "old", "53H/2"},
        {"extent", "--series", "old", "--format", "json", "53H/2"},
        {"--help"},
    };
    for (const char* format : {"text", "csv", "json", "geojson"}) {
        all.push_back({"sheets", "--series", "open", "--scale", "1:10,000", "--polygon", square,
                       "--format", format});
    }
    return all;
}

TEST(OutputFailure, EveryCommandExitsOneWithAMessageWhenNothingCanBeWritten) {
    for (const auto& args : EveryOutput()) {
        const Outcome o = RunInto(0, args);
        EXPECT_EQ(o.code, 1) << args[0] << " " << args.back();
        EXPECT_NE(o.err.find("cannot write the output"), std::string::npos) << o.err;
        // One message, not one per failed block.
        EXPECT_EQ(o.err.find("sheetwright-cli:"), o.err.rfind("sheetwright-cli:")) << o.err;
    }
}

TEST(OutputFailure, AWriteCutShortPartWayIsCaughtToo) {
    for (const auto& args : EveryOutput()) {
        const Outcome whole = RunInto(std::size_t{1} << 30, args);
        ASSERT_EQ(whole.code, 0) << whole.err;
        const Outcome cut = RunInto(3, args);
        EXPECT_EQ(cut.code, 1) << args[0] << " " << args.back();
    }
}

TEST(OutputBuffer, BlocksArriveInOrderWhateverTheCapacity) {
    for (const std::size_t capacity : {1, 3, 64}) {
        std::ostringstream out;
        {
            sw::cli::OutputBuffer buf(out, capacity);
            buf.Append("sheet ");
            buf.AppendNumber(-42);
            buf.Append(',');
            buf.AppendNumber(std::size_t{18446744073709551615U});
            buf.Append(std::string(100, 'x'));
            buf.Flush();
            buf.Append("tail"); // handed over when the buffer goes
        }
        EXPECT_EQ(out.str(), "sheet -42,18446744073709551615" + std::string(100, 'x') + "tail");
    }
}

} // namespace

// The one CSV quoter every comma-separated output goes through.

#include "exchange/CsvField.h"

#include <gtest/gtest.h>

namespace sw {
namespace {

TEST(CsvField, QuotesOnlyFieldsWithACommaAQuoteOrALineBreakAndDoublesTheQuotes) {
    EXPECT_EQ(CsvField("53H/2"), "53H/2");
    EXPECT_EQ(CsvField(""), "");
    // A tab, a backslash and non-ASCII bytes stand as they are.
    EXPECT_EQ(CsvField("tab\there \\ 28\xc2\xb0"), "tab\there \\ 28\xc2\xb0");
    EXPECT_EQ(CsvField("A,B"), "\"A,B\"");
    EXPECT_EQ(CsvField("say \"x\""), "\"say \"\"x\"\"\"");
    EXPECT_EQ(CsvField("\""), "\"\"\"\"");
    EXPECT_EQ(CsvField("two\r\nlines"), "\"two\r\nlines\"");
    EXPECT_EQ(CsvField("cr\ronly"), "\"cr\ronly\"");
    EXPECT_EQ(CsvField(std::string_view("nul\0,x", 6)), std::string("\"nul\0,x\"", 8));
}

TEST(CsvField, AppendsAfterWhatTheLineHolds) {
    std::string line = "1,";
    AppendCsvField(line, "a\"b");
    line += ',';
    AppendCsvField(line, "c");
    EXPECT_EQ(line, "1,\"a\"\"b\",c");
}

} // namespace
} // namespace sw

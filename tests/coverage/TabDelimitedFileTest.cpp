#include "exchange/TabDelimitedFile.h"
#include "exchange/FileError.h"
#include "exchange/VertexConversion.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace sw {
namespace {

using Fields = std::vector<std::string>;

std::string Data(const std::string& name) {
    const char* dir = std::getenv("SHEETWRIGHT_TEST_DATA");
    return std::string(dir != nullptr ? dir : "tests/data") + "/text/" + name;
}

TEST(SplitVertexLine, BlanksTabsAndControlCharactersAreOneSeparator) {
    EXPECT_EQ(SplitVertexLine("1\t28\t30\t0\t77\t0\t0"),
              (Fields{"1", "28", "30", "0", "77", "0", "0"}));
    EXPECT_EQ(SplitVertexLine("  1 \t\t 28\x01\x1f"
                              "30  "),
              (Fields{"1", "28", "30"}));
    EXPECT_EQ(SplitVertexLine(""), Fields{});
    EXPECT_EQ(SplitVertexLine(" \t "), Fields{});
    EXPECT_EQ(SplitVertexLine(std::string_view("1\0"
                                               "2",
                                               3)),
              (Fields{"1", "2"}));
}

TEST(SplitVertexLine, CommaRules) {
    EXPECT_EQ(SplitVertexLine("1, 28 ,30"), (Fields{"1", "28", "30"}));
    EXPECT_EQ(SplitVertexLine("1,,2"), (Fields{"1", "", "2"}));
    EXPECT_EQ(SplitVertexLine("1, ,2"), (Fields{"1", "", "2"}));
    EXPECT_EQ(SplitVertexLine("1,"), (Fields{"1", ""}));
    EXPECT_EQ(SplitVertexLine("1, "), (Fields{"1"})); // the blank after the comma ends the line
    EXPECT_EQ(SplitVertexLine(",1"), (Fields{"", "1"}));
}

TEST(SplitVertexLine, QuotedFields) {
    EXPECT_EQ(SplitVertexLine("\"a b, c\" 2"), (Fields{"a b, c", "2"}));
    EXPECT_EQ(SplitVertexLine("\"say \"\"hi\"\"\",3"), (Fields{"say \"hi\"", "3"}));
    EXPECT_EQ(SplitVertexLine("\"open to the end"), (Fields{"open to the end"}));
    EXPECT_EQ(SplitVertexLine("\"ab\"cd"), (Fields{"ab", "cd"}));
    EXPECT_EQ(SplitVertexLine("ab\"cd"), (Fields{"ab\"cd"}));
    EXPECT_EQ(SplitVertexLine("\"\""), (Fields{""}));
}

TEST(ProcessTabDelimitedText, LinesRowsAndColumns) {
    VertexTable t;
    ProcessTabDelimitedText("1\t28\t30\t0\t77\t0\t0\r\n2 28 30 0 77 40 0\r3,29,10,0,77,40,0\n", t);
    EXPECT_EQ(t.VertexCount, 3);
    EXPECT_EQ(t.RowCount(), 5);
    EXPECT_EQ(t.ColCount(), 7);
    EXPECT_EQ(t.Cell(0, 2), "1");
    EXPECT_EQ(t.Cell(6, 4), "0");
    const auto v = TableToVertices(t, false, '.');
    ASSERT_EQ(v.size(), 3U);
    EXPECT_EQ(v[1].Long, (DmsAngle{77, 40, 0}));

    // No final line break, an empty line in the middle, a last line of 6 fields.
    VertexTable u;
    ProcessTabDelimitedText("1 2 3 4 5 6 7\n\n28 30 0 77 0 0", u);
    EXPECT_EQ(u.VertexCount, 3);
    EXPECT_EQ(u.ColCount(), 6);
    VertexTable empty;
    ProcessTabDelimitedText("", empty);
    EXPECT_EQ(empty.VertexCount, 0);
    EXPECT_EQ(empty.RowCount(), 2);
    VertexTable oneEmptyLine;
    ProcessTabDelimitedText("\r\n", oneEmptyLine);
    EXPECT_EQ(oneEmptyLine.VertexCount, 1);
}

TEST(ProcessTabDelimitedText, ShortLineLeavesNoValueOfAnEarlierImport) {
    VertexTable t;
    ProcessTabDelimitedText("1 28 30 0 77 0 0\n2 28 30 0 77 40 0\n", t);
    ProcessTabDelimitedText("1 28 30 0 77 0 0\n\n", t);
    try {
        TableToVertices(t, false, '.');
        FAIL();
    } catch (const ConversionError& e) {
        EXPECT_STREQ(e.what(), "'' is not a valid integer value");
    }
}

TEST(ProcessTabDelimitedFile, ReadsFilesAndNamesTheFileOnFailure) {
    VertexTable t;
    ProcessTabDelimitedFile(Data("point-mixed.txt"), t);
    EXPECT_EQ(t.VertexCount, 2);
    const auto v = TableToVertices(t, false, '.');
    ASSERT_EQ(v.size(), 2U);
    EXPECT_EQ(v[0], v[1]);
    EXPECT_EQ(v[0].Lat, (DmsAngle{28, 36, 50}));

    VertexTable before = t;
    for (const std::string& bad : {Data("no-such.txt"), Data("")}) {
        try {
            ProcessTabDelimitedFile(bad, t);
            FAIL() << bad;
        } catch (const FileError& e) {
            EXPECT_NE(std::string(e.what()).find(bad), std::string::npos) << e.what();
        }
    }
    EXPECT_EQ(t.VertexCount, before.VertexCount);
}

TEST(TableToVertices, Messages) {
    VertexTable heading;
    ProcessTabDelimitedFile(Data("heading.txt"), heading);
    try {
        TableToVertices(heading, false, '.');
        FAIL();
    } catch (const ConversionError& e) {
        EXPECT_STREQ(e.what(), "'LatDeg' is not a valid integer value");
    }
    VertexTable t;
    ProcessTabDelimitedText("1 28 30 0 77 0 0", t);
    SetGrid(t, true); // decimal mode reads row 1 first: the heading text
    try {
        TableToVertices(t, true, '.');
        FAIL();
    } catch (const ConversionError& e) {
        EXPECT_STREQ(e.what(), "'Deg. Decimal' is not a valid floating point value");
    }
    t.VertexCount = -1;
    EXPECT_THROW(
        {
            try {
                TableToVertices(t, true, '.');
            } catch (const ConversionError& e) {
                EXPECT_STREQ(e.what(), "Range check error");
                throw;
            }
        },
        ConversionError);
    t.VertexCount = 0;
    EXPECT_TRUE(TableToVertices(t, false, '.').empty());
    t.VertexCount = 2000000000; // a count the table cannot hold fails at its first empty cell
    EXPECT_THROW(TableToVertices(t, false, '.'), ConversionError);
}

TEST(TableToVertices, IntegerAndFloatCells) {
    EXPECT_EQ(CellToInteger("  -5 "), -5);
    EXPECT_EQ(CellToInteger("+75"), 75);
    EXPECT_EQ(CellToInteger("2147483647"), 2147483647);
    for (const char* bad : {"", "1.5", "2147483648", "12a", "--1", "+-1", "0x10"}) {
        EXPECT_THROW(CellToInteger(bad), ConversionError) << bad;
    }
    EXPECT_DOUBLE_EQ(CellToFloat(" 28.5 ", '.'), 28.5);
    EXPECT_DOUBLE_EQ(CellToFloat("28,5", ','), 28.5);
    EXPECT_DOUBLE_EQ(CellToFloat("2.85E1", '.'), 28.5);
    EXPECT_DOUBLE_EQ(CellToFloat("-.5", '.'), -0.5);
    for (const char* bad : {"", "28,5", "nan", "inf", "1e", "1e999", ".", "1.2.3", "0x1p3"}) {
        EXPECT_THROW(CellToFloat(bad, '.'), ConversionError) << bad;
    }
    try {
        CellToFloat("28.5", ',');
        FAIL();
    } catch (const ConversionError& e) {
        EXPECT_STREQ(e.what(), "'28.5' is not a valid floating point value");
    }
    // Degrees past the 32-bit range: the floating-point message, not a crash.
    VertexTable t;
    SetGrid(t, true);
    t.SetCell(1, 1, " 1e300 ");
    t.SetCell(2, 1, "77.5");
    t.VertexCount = 1;
    try {
        TableToVertices(t, true, '.');
        FAIL();
    } catch (const ConversionError& e) {
        EXPECT_STREQ(e.what(), "'1e300' is not a valid floating point value");
    }
    t.SetCell(1, 1, "28.61388");
    const auto v = TableToVertices(t, true, '.');
    ASSERT_EQ(v.size(), 1U);
    EXPECT_EQ(v[0].Long, (DmsAngle{77, 30, 0}));
    EXPECT_EQ(v[0].Lat, DecimalToDms(28.61388));
}

} // namespace
} // namespace sw

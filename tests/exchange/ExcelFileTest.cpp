#include "exchange/ExcelFile.h"
#include "exchange/FileError.h"

#include "ExchangeTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

namespace sw {
namespace {

std::string Bytes(std::initializer_list<int> values) {
    std::string s;
    for (int v : values) {
        s += static_cast<char>(v);
    }
    return s;
}

TEST(ExcelFile, FortyNineByteWorksheet) {
    const TextTable table = {{"abc"}, {"2.5"}};
    const std::string expected =
        Bytes({0x09, 0x08, 0x08, 0x00, 0x00, 0x00, 0x10, 0x00, 0x00, 0x00, 0x00, 0x00}) +
        Bytes({0x04, 0x02, 0x0B, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x03, 0x00, 0x61, 0x62,
               0x63}) +
        Bytes({0x03, 0x02, 0x0E, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
               0x00, 0x00, 0x04, 0x40}) +
        Bytes({0x0A, 0x00, 0x00, 0x00});
    EXPECT_EQ(ExcelFileBytes(table), expected);
    EXPECT_EQ(expected.size(), 49u);
    EXPECT_EQ(test::ReadBytes(test::DataFile("xls/abc-2.5.xls")), expected);
}

TEST(ExcelFile, CellsGoColumnByColumnAndMissingCellsAreEmptyTexts) {
    const TextTable table = {{"a", "b"}, {"c"}};
    const std::string bytes = ExcelFileBytes(table);
    // BOF, (r0,c0) "a", (r1,c0) "c", (r0,c1) "b", (r1,c1) "", EOF.
    EXPECT_EQ(bytes.size(), 12u + 13 + 13 + 13 + 12 + 4);
    EXPECT_EQ(bytes.substr(12, 13), Bytes({0x04, 0x02, 9, 0, 0, 0, 0, 0, 0, 0, 1, 0, 'a'}));
    EXPECT_EQ(bytes.substr(25, 13), Bytes({0x04, 0x02, 9, 0, 1, 0, 0, 0, 0, 0, 1, 0, 'c'}));
    EXPECT_EQ(bytes.substr(38, 13), Bytes({0x04, 0x02, 9, 0, 0, 0, 1, 0, 0, 0, 1, 0, 'b'}));
    EXPECT_EQ(bytes.substr(51, 12), Bytes({0x04, 0x02, 8, 0, 1, 0, 1, 0, 0, 0, 0, 0}));
}

TEST(ExcelFile, NumberDetection) {
    struct Case {
        const char* text;
        std::optional<double> value;
    };
    const Case cases[] = {
        {"12", 12.0},
        {" 12", 12.0},
        {"   -3.25", -3.25},
        {"+7", 7.0},
        {"1e3", 1000.0},
        {"2.5E-1", 0.25},
        {"1.E+2", 100.0},
        {".5", 0.5},
        {"5.", 5.0},
        {".", 0.0},
        {"-.", -0.0},
        {"12 ", std::nullopt},
        {"", std::nullopt},
        {"   ", std::nullopt},
        {" S.No.", std::nullopt},
        {"53F/12", std::nullopt},
        {"1,5", std::nullopt},
        {"1 000", std::nullopt},
        {"+", std::nullopt},
        {"-", std::nullopt},
        {"1e", std::nullopt},
        {"1e+", std::nullopt},
        {"e5", std::nullopt},
        {"\t12", std::nullopt},
        {"0x10", std::nullopt},
        {"inf", std::nullopt},
        {"nan", std::nullopt},
        {"1e999", std::nullopt},
        {"++1", std::nullopt},
        {"1..2", std::nullopt},
    };
    for (const Case& c : cases) {
        const auto got = WorksheetNumber(c.text);
        EXPECT_EQ(got.has_value(), c.value.has_value()) << "'" << c.text << "'";
        if (got && c.value) {
            EXPECT_EQ(*got, *c.value) << "'" << c.text << "'";
            EXPECT_EQ(std::signbit(*got), std::signbit(*c.value)) << "'" << c.text << "'";
        }
    }
}

TEST(ExcelFile, TextsAreCopiedByteForByte) {
    std::string out;
    WriteLabelCell(out, 2, 7,
                   "29\xB0"
                   "00'00\"");
    EXPECT_EQ(out, Bytes({0x04, 0x02, 17, 0, 7, 0, 2, 0, 0, 0, 9, 0}) + "29\xB0"
                                                                        "00'00\"");
    std::string num;
    WriteNumberCell(num, 1, 3, 12.0);
    EXPECT_EQ(num, Bytes({0x03, 0x02, 14, 0, 3, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x28, 0x40}));
}

TEST(ExcelFile, OversizedTablesAndCellsAreRefused) {
    TextTable tall(65537, std::vector<std::string>{"x"});
    EXPECT_THROW(ExcelFileBytes(tall), FileError);
    tall.pop_back();
    EXPECT_NO_THROW(ExcelFileBytes(tall));
    std::string out;
    EXPECT_THROW(WriteLabelCell(out, 0, 0, std::string(70000, 'a')), FileError);
    EXPECT_TRUE(out.empty());
}

TEST(ExcelFile, WritesUnderTheNameAsGivenAndKeepsOldFilesOnFailure) {
    test::ScratchDir dir;
    const TextTable table = {{" S.No.", "Sheet"}, {"1", "53H/12"}};
    WriteExcelFile(dir.File("report"), table);
    EXPECT_EQ(test::ReadBytes(dir.File("report")), ExcelFileBytes(table));

    test::WriteBytes(dir.File("old.xls"), "precious");
    TextTable tooWide = {std::vector<std::string>(70000, "x")};
    EXPECT_THROW(WriteExcelFile(dir.File("old.xls"), tooWide), FileError);
    EXPECT_EQ(test::ReadBytes(dir.File("old.xls")), "precious");

    try {
        WriteExcelFile(dir.File("nowhere/r.xls"), table);
        FAIL() << "no error";
    } catch (const FileError& e) {
        EXPECT_EQ(std::string(e.what()).rfind(
                      "Cannot create file \"" + dir.File("nowhere/r.xls") + "\". ", 0),
                  0u);
    }
    EXPECT_EQ(dir.EntryCount(), 2u);
}

} // namespace
} // namespace sw

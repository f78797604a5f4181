// The README lists exactly the formats of the registry.

#include "exchange/FormatTable.h"
#include "exchange/FormatRegistry.h"

#include "ExchangeTestSupport.h"

#include <gtest/gtest.h>

namespace sw {
namespace {

TEST(FormatTable, ReadmeTablesAreTheRegistrys) {
    const std::string readme = test::ReadBytes(test::DataFile("../../README.md"));
    ASSERT_FALSE(readme.empty()) << "README.md not found beside the tests";
    const std::optional<std::string> generated = WithFormatTables(readme);
    ASSERT_TRUE(generated.has_value()) << "README.md lacks the format-table markers";
    EXPECT_TRUE(*generated == readme)
        << "README.md's format tables differ from the format registry; regenerate them with\n"
           "  build/src/exchange/format-table --update README.md\n"
           "The tables as the registry has them:\n"
        << FormatTablesMarkdown();
}

TEST(FormatTable, EveryFormatHasARowAndADescription) {
    const std::string md = FormatTablesMarkdown();
    for (const InputFormat& f : InputFormats()) {
        EXPECT_FALSE(f.Reads.empty()) << f.Id;
        EXPECT_NE(md.find("| " + std::string(f.Caption) + " |"), std::string::npos) << f.Id;
    }
    for (const OutputFormat& f : OutputFormats()) {
        EXPECT_FALSE(f.Writes.empty()) << f.Id;
        EXPECT_FALSE(f.OpensIn.empty()) << f.Id;
        EXPECT_NE(md.find("| " + std::string(f.Caption) + " | `" + std::string(f.Extension)),
                  std::string::npos)
            << f.Id;
    }
    // The markers are found only in order; the text outside them is kept.
    const std::string doc =
        std::string("a\n") + FormatTablesBegin + "\nold\n" + FormatTablesEnd + "\nb\n";
    EXPECT_EQ(WithFormatTables(doc),
              std::string("a\n") + FormatTablesBegin + "\n" + md + FormatTablesEnd + "\nb\n");
    EXPECT_FALSE(WithFormatTables(std::string(FormatTablesEnd) + "\n" + FormatTablesBegin + "\n"));
}

} // namespace
} // namespace sw

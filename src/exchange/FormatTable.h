#pragma once

// The README's tables of the files read and written, made from the format
// registry so that the documentation lists exactly the formats the program has.
// The `format-table` tool prints them and rewrites them in place.

#include <optional>
#include <string>

namespace sw {

// Both tables in Markdown: the input formats, then the output formats, each in
// registry order.
std::string FormatTablesMarkdown();

// `document` with the text between its two format-table marker lines replaced by
// FormatTablesMarkdown(); nullopt when the markers are missing or out of order.
std::optional<std::string> WithFormatTables(const std::string& document);

// The marker lines around the generated tables.
inline constexpr const char* FormatTablesBegin =
    "<!-- format tables: made from the format registry by `format-table --update README.md` -->";
inline constexpr const char* FormatTablesEnd = "<!-- end of format tables -->";

} // namespace sw

#pragma once

// How every comma-separated file the program writes holds a text field (the
// report's CSV, the command line's grid and its per-feature lists): as it
// stands, unless it holds a comma, a double quote or a line break; then between
// double quotes, each of its quotes doubled, as spreadsheet programs read it.
// Other bytes, tabs and non-ASCII among them, pass unchanged.

#include <string>
#include <string_view>

namespace sw {

// Whether the field must be quoted. Inline: the grid's CSV asks it for every
// cell, and sheet numbers almost never need it.
inline bool CsvNeedsQuotes(std::string_view field) {
    for (const char c : field) {
        if (c == ',' || c == '"' || c == '\r' || c == '\n') {
            return true;
        }
    }
    return false;
}

// Appends the field as a CSV line holds it.
void AppendCsvField(std::string& out, std::string_view field);

// The field as a CSV line holds it.
std::string CsvField(std::string_view field);

} // namespace sw

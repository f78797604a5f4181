#include "exchange/CsvField.h"

namespace sw {

void AppendCsvField(std::string& out, std::string_view field) {
    if (!CsvNeedsQuotes(field)) {
        out += field;
        return;
    }
    out += '"';
    for (const char ch : field) {
        out += ch;
        if (ch == '"') {
            out += '"';
        }
    }
    out += '"';
}

std::string CsvField(std::string_view field) {
    std::string quoted;
    AppendCsvField(quoted, field);
    return quoted;
}

} // namespace sw

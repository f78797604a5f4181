#include "cli/SheetsFormats.h"

#include "cli/CliCommon.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

namespace sw::cli {

namespace {

bool LessIgnoringCase(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        const auto lx = static_cast<unsigned char>(x >= 'A' && x <= 'Z' ? x - 'A' + 'a' : x);
        const auto ly = static_cast<unsigned char>(y >= 'A' && y <= 'Z' ? y - 'A' + 'a' : y);
        return lx < ly;
    });
}

std::string CsvField(const std::string& s) {
    if (s.find_first_of(",\"\r\n") == std::string::npos) {
        return s;
    }
    std::string q = "\"";
    for (const char ch : s) {
        q += ch;
        if (ch == '"') {
            q += '"';
        }
    }
    return q + '"';
}

std::string JsonString(const std::string& s) {
    return nlohmann::json(Utf8(s)).dump();
}

} // namespace

// The IN sheet numbers sorted as the report sorts them.
void WriteText(const SheetsResult& r, std::ostream& out) {
    std::vector<std::string> in;
    for (const SheetRec& rec : r.grid.SheetList) {
        if (rec.InFlag == 1) {
            in.push_back(rec.SheetNo.str());
        }
    }
    std::stable_sort(in.begin(), in.end(), LessIgnoringCase);
    for (const std::string& n : in) {
        out << n << '\n';
    }
}

// One line per cell in list order: index, row, column, sheet number, IN or OUT.
void WriteCsv(const SheetsResult& r, std::ostream& out) {
    const auto cols = static_cast<std::size_t>(std::max(r.grid.GridCols, 1));
    for (std::size_t i = 0; i < r.grid.SheetList.size(); ++i) {
        const SheetRec& rec = r.grid.SheetList[i];
        out << i << ',' << i / cols << ',' << i % cols << ',' << CsvField(rec.SheetNo.str()) << ','
            << (rec.InFlag == 1 ? "IN" : "OUT") << '\n';
    }
}

// Written as a stream, keys in a fixed order, so that a grid of millions of cells
// needs no document in memory.
void WriteJson(const SheetsResult& r, std::ostream& out) {
    const SheetGrid& g = r.grid;
    out << "{\"series\": " << JsonString(r.seriesName)
        << ", \"scale\": " << JsonString(r.settings.ScaleText)
        << ", \"zoom\": " << r.settings.SheetPixelHeight << ", \"west_sec\": " << g.GridWestSec
        << ", \"north_sec\": " << g.GridNorthSec << ", \"cols\": " << g.GridCols
        << ", \"rows\": " << g.GridRows << ", \"in_count\": " << g.InSheetCount
        << ", \"sheets\": [";
    for (std::size_t i = 0; i < g.SheetList.size(); ++i) {
        const SheetRec& rec = g.SheetList[i];
        out << (i == 0 ? "[" : ", [") << JsonString(rec.SheetNo.str()) << ", "
            << (rec.InFlag == 1 ? 1 : 0) << ']';
    }
    out << "]}\n";
}

} // namespace sw::cli

#include "cli/SheetsFormats.h"

#include "cli/CliCommon.h"
#include "cli/OutputBuffer.h"
#include "index/WindowsText.h"
#include "report/SheetOrder.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <ostream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace sw::cli {

namespace {

void AppendCsvField(OutputBuffer& buf, std::string_view s) {
    if (s.find_first_of(",\"\r\n") == std::string_view::npos) {
        buf.Append(s);
        return;
    }
    buf.Append('"');
    for (const char ch : s) {
        buf.Append(ch);
        if (ch == '"') {
            buf.Append('"');
        }
    }
    buf.Append('"');
}

// Sheet numbers are printable ASCII, which JSON takes as it is between quotes;
// anything else goes through the JSON library's escaping.
void AppendJsonString(OutputBuffer& buf, std::string_view s) {
    const bool plain = std::all_of(
        s.begin(), s.end(), [](char c) { return c >= 0x20 && c < 0x7F && c != '"' && c != '\\'; });
    if (plain) {
        buf.Append('"');
        buf.Append(s);
        buf.Append('"');
    } else {
        buf.Append(nlohmann::json(WindowsToUtf8(std::string(s))).dump());
    }
}

} // namespace

void WriteText(const SheetsResult& r, std::ostream& out) {
    const auto& list = r.grid.SheetList;
    OutputBuffer buf(out);
    for (const uint32_t i : InSheetsInReportOrder(list)) {
        buf.Append(list[i].SheetNo.view());
        buf.Append('\n');
    }
    buf.Flush();
}

void WriteCsv(const SheetsResult& r, std::ostream& out) {
    const auto& list = r.grid.SheetList;
    const auto cols = static_cast<std::size_t>(std::max(r.grid.GridCols, 1));
    OutputBuffer buf(out);
    std::size_t row = 0;
    std::size_t col = 0;
    for (std::size_t i = 0; i < list.size(); ++i) {
        const SheetRec& rec = list[i];
        buf.AppendNumber(i);
        buf.Append(',');
        buf.AppendNumber(row);
        buf.Append(',');
        buf.AppendNumber(col);
        buf.Append(',');
        AppendCsvField(buf, rec.SheetNo.view());
        buf.Append(rec.InFlag == 1 ? ",IN\n" : ",OUT\n");
        if (++col == cols) {
            col = 0;
            ++row;
        }
    }
    buf.Flush();
}

// Written as a stream, keys in a fixed order, so that a grid of millions of cells
// needs no document in memory.
void WriteJson(const SheetsResult& r, std::ostream& out) {
    const SheetGrid& g = r.grid;
    std::ostringstream head;
    head << "{\"series\": " << nlohmann::json(WindowsToUtf8(r.seriesName)).dump()
         << ", \"scale\": " << nlohmann::json(WindowsToUtf8(r.settings.ScaleText)).dump()
         << ", \"zoom\": " << r.settings.SheetPixelHeight << ", \"west_sec\": " << g.GridWestSec
         << ", \"north_sec\": " << g.GridNorthSec << ", \"cols\": " << g.GridCols
         << ", \"rows\": " << g.GridRows << ", \"in_count\": " << g.InSheetCount
         << ", \"sheets\": [";
    OutputBuffer buf(out);
    buf.Append(head.view());
    for (std::size_t i = 0; i < g.SheetList.size(); ++i) {
        const SheetRec& rec = g.SheetList[i];
        buf.Append(i == 0 ? "[" : ", [");
        AppendJsonString(buf, rec.SheetNo.view());
        buf.Append(rec.InFlag == 1 ? ", 1]" : ", 0]");
    }
    buf.Append("]}\n");
    buf.Flush();
}

} // namespace sw::cli

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

// A sheet number straight from the record's inline storage.
void AppendSheetNo(OutputBuffer& buf, const SheetNoText& no) {
    buf.AppendShort<SheetNoText::Capacity>(no.view());
}

void AppendCsvField(OutputBuffer& buf, const SheetNoText& no) {
    const std::string_view s = no.view();
    if (std::none_of(s.begin(), s.end(),
                     [](char c) { return c == ',' || c == '"' || c == '\r' || c == '\n'; })) {
        AppendSheetNo(buf, no);
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
void AppendJsonString(OutputBuffer& buf, const SheetNoText& no) {
    const std::string_view s = no.view();
    const bool plain = std::all_of(
        s.begin(), s.end(), [](char c) { return c >= 0x20 && c < 0x7F && c != '"' && c != '\\'; });
    if (plain) {
        buf.Append('"');
        AppendSheetNo(buf, no);
        buf.Append('"');
    } else {
        buf.Append(nlohmann::json(WindowsToUtf8(std::string(s))).dump());
    }
}

// A count kept as its decimal text: a line per cell then costs no number formatting.
class DecimalCounter {
public:
    std::string_view View() const { return {digits_ + start_, sizeof digits_ - start_}; }
    void Reset() {
        start_ = sizeof digits_ - 1;
        digits_[start_] = '0';
    }
    void Increment() {
        std::size_t i = sizeof digits_;
        while (i > start_ && digits_[i - 1] == '9') {
            digits_[--i] = '0';
        }
        if (i == start_) {
            digits_[--start_] = '1';
        } else {
            ++digits_[i - 1];
        }
    }

private:
    char digits_[24] = {};
    std::size_t start_ = sizeof digits_ - 1;
};

} // namespace

void WriteText(const SheetsResult& r, std::ostream& out) {
    const auto& list = r.grid.SheetList;
    OutputBuffer buf(out);
    for (const uint32_t i : InSheetsInReportOrder(list)) {
        AppendSheetNo(buf, list[i].SheetNo);
        buf.Append('\n');
    }
    buf.Flush();
}

void WriteCsv(const SheetsResult& r, std::ostream& out) {
    const auto& list = r.grid.SheetList;
    const auto cols = static_cast<std::size_t>(std::max(r.grid.GridCols, 1));
    OutputBuffer buf(out);
    DecimalCounter index;
    DecimalCounter row;
    DecimalCounter col;
    index.Reset();
    row.Reset();
    col.Reset();
    std::size_t c = 0;
    for (const SheetRec& rec : list) {
        buf.Append(index.View());
        buf.Append(',');
        buf.Append(row.View());
        buf.Append(',');
        buf.Append(col.View());
        buf.Append(',');
        AppendCsvField(buf, rec.SheetNo);
        buf.Append(rec.InFlag == 1 ? std::string_view(",IN\n") : std::string_view(",OUT\n"));
        index.Increment();
        if (++c == cols) {
            c = 0;
            col.Reset();
            row.Increment();
        } else {
            col.Increment();
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
        buf.Append(i == 0 ? std::string_view("[") : std::string_view(", ["));
        AppendJsonString(buf, rec.SheetNo);
        buf.Append(rec.InFlag == 1 ? std::string_view(", 1]") : std::string_view(", 0]"));
    }
    buf.Append("]}\n");
    buf.Flush();
}

} // namespace sw::cli

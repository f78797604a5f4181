#include "cli/SheetsFormats.h"

#include "cli/CliCommon.h"
#include "cli/OutputBuffer.h"
#include "cli/ReportPrinting.h"
#include "coverage/CellNumbering.h"
#include "exchange/CsvField.h"
#include "index/WindowsText.h"
#include "report/SheetOrder.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstring>
#include <functional>
#include <ostream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace sw::cli {

namespace {

// A sheet number from storage that holds at least SheetNoText::Capacity bytes
// (a record's inline text, or a cell's scratch).
void AppendSheetNo(OutputBuffer& buf, std::string_view no) {
    buf.AppendShort<SheetNoText::Capacity>(no);
}

void AppendCsvField(OutputBuffer& buf, std::string_view s) {
    if (!CsvNeedsQuotes(s)) {
        AppendSheetNo(buf, s);
        return;
    }
    buf.Append(CsvField(s));
}

// Sheet numbers are printable ASCII, which JSON takes as it is between quotes;
// anything else goes through the JSON library's escaping.
void AppendJsonString(OutputBuffer& buf, std::string_view s) {
    const bool plain = std::all_of(
        s.begin(), s.end(), [](char c) { return c >= 0x20 && c < 0x7F && c != '"' && c != '\\'; });
    if (plain) {
        buf.Append('"');
        AppendSheetNo(buf, s);
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

// The cells of a computed grid in list order, from its sheet list.
class ListedCells {
public:
    explicit ListedCells(const SheetGrid& g) : list_(g.SheetList) {}
    std::size_t Count() const { return list_.size(); }
    bool In(std::size_t i) const { return list_[i].InFlag == 1; }
    std::string_view Number(std::size_t i) { return list_[i].SheetNo.view(); }

private:
    const std::vector<SheetRec>& list_;
};

// The cells of a computed mask in list order, each numbered when asked for, as
// the sheet list would hold it (cut to a record's length).
class NumberedCells {
public:
    NumberedCells(const SheetsResult& r, const CellFlags& in)
        : in_(in), numberer_(r.settings, r.grid),
          cols_(static_cast<std::size_t>(std::max(r.grid.GridCols, 1))) {}
    std::size_t Count() const { return in_.size(); }
    bool In(std::size_t i) const { return in_[i] == 1; }
    // Valid until the next call. Cells come in list order, mostly one after the
    // other, so the row and column are stepped rather than divided for.
    std::string_view Number(std::size_t i) {
        if (i != next_) {
            row_ = i / cols_;
            col_ = i % cols_;
        }
        const std::size_t n =
            numberer_.Compose(static_cast<int32_t>(row_), static_cast<int32_t>(col_), scratch_);
        next_ = i + 1;
        if (++col_ == cols_) {
            col_ = 0;
            ++row_;
        }
        return {scratch_, std::min(n, SheetNoText::Capacity)};
    }

private:
    const CellFlags& in_;
    GridNumberer numberer_;
    std::size_t cols_;
    std::size_t next_ = 0;
    std::size_t row_ = 0;
    std::size_t col_ = 0;
    char scratch_[GridNumberer::MaxLength];
};

// The IN numbers of a mask, numbered once into one block of text in list order.
struct InNumbers {
    explicit InNumbers(std::size_t count)
        : Text(count * SheetNoText::Capacity), Starts(count + 1) {}
    std::string_view operator()(uint32_t k) const {
        return {Text.data() + Starts[k], Starts[k + 1] - Starts[k]};
    }

    LargeArray<char> Text;
    LargeArray<uint32_t> Starts; // number k is Text[Starts[k], Starts[k + 1])
};

// Also shows every number to `ranks` for its sort key.
InNumbers CollectInNumbers(NumberedCells& cells, const CellFlags& in, PositionRanks& ranks) {
    InNumbers numbers(static_cast<std::size_t>(std::count(in.begin(), in.end(), uint8_t{1})));
    std::size_t used = 0;
    std::size_t k = 0;
    for (std::size_t i = 0; i < cells.Count(); ++i) {
        if (cells.In(i)) {
            const std::string_view no = cells.Number(i);
            numbers.Starts[k++] = static_cast<uint32_t>(used);
            std::memcpy(numbers.Text.data() + used, no.data(), no.size());
            used += no.size();
            ranks.See(no);
        }
    }
    numbers.Starts[k] = static_cast<uint32_t>(used);
    return numbers;
}

template <typename Cells> void WriteCsvOf(Cells cells, int32_t gridCols, std::ostream& out) {
    const auto cols = static_cast<std::size_t>(std::max(gridCols, 1));
    OutputBuffer buf(out);
    DecimalCounter index;
    DecimalCounter row;
    DecimalCounter col;
    index.Reset();
    row.Reset();
    col.Reset();
    std::size_t c = 0;
    const std::size_t count = cells.Count();
    for (std::size_t i = 0; i < count; ++i) {
        buf.Append(index.View());
        buf.Append(',');
        buf.Append(row.View());
        buf.Append(',');
        buf.Append(col.View());
        buf.Append(',');
        AppendCsvField(buf, cells.Number(i));
        buf.Append(cells.In(i) ? std::string_view(",IN\n") : std::string_view(",OUT\n"));
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
template <typename Cells> void WriteJsonOf(const SheetsResult& r, Cells cells, std::ostream& out) {
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
    const std::size_t count = cells.Count();
    for (std::size_t i = 0; i < count; ++i) {
        buf.Append(i == 0 ? std::string_view("[") : std::string_view(", ["));
        AppendJsonString(buf, cells.Number(i));
        buf.Append(cells.In(i) ? std::string_view(", 1]") : std::string_view(", 0]"));
    }
    buf.Append("]}\n");
    buf.Flush();
}

} // namespace

void WriteText(const SheetsResult& r, std::ostream& out) {
    const auto& list = r.grid.SheetList;
    OutputBuffer buf(out);
    for (const uint32_t i : InSheetsInReportOrder(list)) {
        AppendSheetNo(buf, list[i].SheetNo.view());
        buf.Append('\n');
    }
    buf.Flush();
}

void WriteCsv(const SheetsResult& r, std::ostream& out) {
    WriteCsvOf(ListedCells(r.grid), r.grid.GridCols, out);
}

void WriteJson(const SheetsResult& r, std::ostream& out) {
    WriteJsonOf(r, ListedCells(r.grid), out);
}

namespace {

// The IN cells' numbers in the order the text and the report list them.
struct SortedInNumbers {
    InNumbers Numbers;
    IndexList Order;
    uint32_t Count() const { return static_cast<uint32_t>(Order.size()); }
    std::string_view operator()(uint32_t k) const { return Numbers(Order[k]); }
};

SortedInNumbers SortInNumbers(const SheetsResult& r, const CellFlags& in) {
    NumberedCells cells(r, in);
    PositionRanks ranks;
    InNumbers numbers = CollectInNumbers(cells, in, ranks);
    const auto count = static_cast<uint32_t>(numbers.Starts.size() - 1);
    IndexList order = NumberOrder(ranks, count, std::cref(numbers));
    return {std::move(numbers), std::move(order)};
}

} // namespace

void WriteText(const SheetsResult& r, const CellFlags& in, std::ostream& out) {
    const SortedInNumbers sorted = SortInNumbers(r, in);
    OutputBuffer buf(out);
    for (uint32_t k = 0; k < sorted.Count(); ++k) {
        AppendSheetNo(buf, sorted(k));
        buf.Append('\n');
    }
    buf.Flush();
}

void WriteCsv(const SheetsResult& r, const CellFlags& in, std::ostream& out) {
    WriteCsvOf(NumberedCells(r, in), r.grid.GridCols, out);
}

TextTable SheetsReportTable(const SheetsResult& r, const CellFlags& in) {
    const SortedInNumbers sorted = SortInNumbers(r, in);
    const ReportColumns columns = FontReportColumns();
    const ReportInput input{r.settings, r.grid, r.feature, r.inputPath};
    return ReportTableOf(input,
                         GroupSortedNumbers(sorted.Count(), std::cref(sorted),
                                            GroupKeyLength(r.settings), columns.CharsPerLine));
}

void PrintReport(const SheetsResult& r, const CellFlags& in, std::ostream& out) {
    const SortedInNumbers sorted = SortInNumbers(r, in);
    PrintGroupedReport(r, sorted.Count(), std::cref(sorted), out);
}

void WriteJson(const SheetsResult& r, const CellFlags& in, std::ostream& out) {
    WriteJsonOf(r, NumberedCells(r, in), out);
}

} // namespace sw::cli

#include "exchange/VertexConversion.h"

#include "exchange/MessageText.h"
#include "exchange/NumberText.h"
#include "index/CheckedMath.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace sw {

namespace {

std::string_view Trim(std::string_view s) {
    const auto blank = [](char ch) { return static_cast<unsigned char>(ch) <= 32; };
    while (!s.empty() && blank(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && blank(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

bool IsDigit(char ch) {
    return ch >= '0' && ch <= '9';
}

// The cell's text is quoted short and with control characters escaped: a cell
// can hold a whole megabyte-long line of a file, or terminal escapes.
ConversionError NotInteger(std::string_view text) {
    return ConversionError("'" + QuoteText(text) + "' is not a valid integer value");
}

ConversionError NotFloat(std::string_view text) {
    return ConversionError("'" + QuoteText(text) + "' is not a valid floating point value");
}

// [sign] digits [sep digits] [e [sign] digits], at least one mantissa digit;
// rewritten with '.' for from_chars, which knows no other separator.
bool NormaliseFloat(std::string_view s, char sep, std::string& out) {
    std::size_t i = 0;
    out.clear();
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        if (s[i] == '-') {
            out += '-';
        }
        ++i;
    }
    std::size_t digits = 0;
    while (i < s.size() && IsDigit(s[i])) {
        out += s[i++];
        ++digits;
    }
    if (i < s.size() && s[i] == sep) {
        out += '.';
        ++i;
        while (i < s.size() && IsDigit(s[i])) {
            out += s[i++];
            ++digits;
        }
    }
    if (digits == 0) {
        return false;
    }
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        out += 'e';
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
            out += s[i++];
        }
        std::size_t expDigits = 0;
        while (i < s.size() && IsDigit(s[i])) {
            out += s[i++];
            ++expDigits;
        }
        if (expDigits == 0) {
            return false;
        }
    }
    return i == s.size();
}

} // namespace

int32_t CellToInteger(std::string_view text) {
    const std::string_view s = Trim(text);
    std::string_view digits = s;
    if (!digits.empty() && digits.front() == '+') {
        digits.remove_prefix(1); // from_chars takes a minus only
        if (!digits.empty() && digits.front() == '-') {
            throw NotInteger(s);
        }
    }
    int32_t value = 0;
    const auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || ec != std::errc() || ptr != digits.data() + digits.size()) {
        throw NotInteger(s);
    }
    return value;
}

double CellToFloat(std::string_view text, char decimalSeparator) {
    const std::string_view s = Trim(text);
    std::string normal;
    if (!NormaliseFloat(s, decimalSeparator, normal)) {
        throw NotFloat(s);
    }
    double value = 0;
    const auto [ptr, ec] = std::from_chars(normal.data(), normal.data() + normal.size(), value);
    if (ec != std::errc() || ptr != normal.data() + normal.size() || !std::isfinite(value)) {
        throw NotFloat(s);
    }
    return value;
}

namespace {

// One cell's number, the failure named by its column.
double FloatIn(const VertexTable& t, int32_t column, int32_t row, char decimalSeparator) {
    try {
        return CellToFloat(t.Cell(column, row), decimalSeparator);
    } catch (ConversionError& e) {
        e.Column = column;
        throw;
    }
}

// Decimal degrees as an angle; degrees no angle holds fail with the cell's text.
DmsAngle AngleIn(const VertexTable& t, int32_t column, int32_t row, double degrees) {
    try {
        return DecimalToDms(degrees);
    } catch (const std::exception&) {
        ConversionError e = NotFloat(Trim(t.Cell(column, row)));
        e.Column = column;
        throw e;
    }
}

// Vertex k (from 1) of the table in either mode. Decimal mode checks that both
// cells are numbers before either converts to an angle, so a failure names the
// first cell in that order, with its column.
VertexRec TableVertex(const VertexTable& t, int32_t k, bool decimalMode, char decimalSeparator) {
    VertexRec v;
    if (decimalMode) {
        const double lat = FloatIn(t, 1, k, decimalSeparator);
        const double lon = FloatIn(t, 2, k, decimalSeparator);
        v.Lat = AngleIn(t, 1, k, lat);
        v.Long = AngleIn(t, 2, k, lon);
    } else {
        const int32_t row = k + 1;
        int32_t n[6];
        for (int32_t c = 1; c <= 6; ++c) {
            try {
                n[c - 1] = CellToInteger(t.Cell(c, row));
            } catch (ConversionError& e) {
                e.Column = c;
                throw;
            }
        }
        v.Lat = DmsAngle{n[0], n[1], n[2]};
        v.Long = DmsAngle{n[3], n[4], n[5]};
    }
    return v;
}

bool IsBlankCell(const std::string& text) {
    return Trim(text).empty();
}

// The table's vertices and the index of the vertex each later part starts at.
struct TableVertices {
    std::vector<VertexRec> Vertices;
    std::vector<int32_t> PartStarts;
};

TableVertices ReadTable(const VertexTable& t, bool decimalMode, char decimalSeparator) {
    if (t.VertexCount < 0) {
        throw ConversionError("Range check error");
    }
    TableVertices out;
    // A count beyond the table's rows fails at its first empty cell; do not let
    // it reserve memory first.
    out.Vertices.reserve(
        static_cast<std::size_t>(std::min(t.VertexCount, std::max(t.RowCount(), 0))));
    std::size_t nextStart = 0;
    const std::vector<int32_t>& starts = t.PartStartRows;
    for (int32_t k = 1; k <= t.VertexCount; ++k) {
        const int32_t row = decimalMode ? k : k + 1;
        while (nextStart < starts.size() && starts[nextStart] <= row) {
            if (starts[nextStart] == row && !out.Vertices.empty() &&
                (out.PartStarts.empty() ||
                 out.PartStarts.back() < static_cast<int32_t>(out.Vertices.size()))) {
                out.PartStarts.push_back(static_cast<int32_t>(out.Vertices.size()));
            }
            ++nextStart;
        }
        // The closing row a reader leaves before the next part starts.
        if (decimalMode && nextStart < starts.size() && starts[nextStart] == row + 1 &&
            IsBlankCell(t.Cell(1, row)) && IsBlankCell(t.Cell(2, row))) {
            continue;
        }
        try {
            out.Vertices.push_back(TableVertex(t, k, decimalMode, decimalSeparator));
        } catch (ConversionError& e) {
            e.Vertex = k;
            throw;
        }
    }
    if (!out.PartStarts.empty()) {
        out.PartStarts.insert(out.PartStarts.begin(), 0);
    }
    return out;
}

} // namespace

std::vector<VertexRec> TableToVertices(const VertexTable& t, bool decimalMode,
                                       char decimalSeparator) {
    return ReadTable(t, decimalMode, decimalSeparator).Vertices;
}

Feature TableToFeature(const VertexTable& t, bool decimalMode, char decimalSeparator,
                       bool isPolygon) {
    TableVertices read = ReadTable(t, decimalMode, decimalSeparator);
    return MakeVertexFeature(std::move(read.Vertices), isPolygon, read.PartStarts);
}

namespace {

// A decimal position's coordinate that does not convert, named by the text the
// dialog would show for it and by the vertex and column of that cell.
[[noreturn]] void PositionFails(double degrees, int32_t vertex, int32_t column) {
    ConversionError e = NotFloat(FormatGeneral15(degrees));
    e.Vertex = vertex;
    e.Column = column;
    throw e;
}

// A decimal position's coordinate as OK takes it from its cell.
DmsAngle PositionAngle(double degrees, int32_t vertex, int32_t column) {
    try {
        return DecimalToDms(degrees);
    } catch (const std::exception&) {
        PositionFails(degrees, vertex, column);
    }
}

} // namespace

Feature VertexListToFeature(const VertexList& list, bool isPolygon) {
    std::vector<VertexRec> vertices;
    vertices.reserve(list.Positions.size());
    for (const DecimalPosition& p : list.Positions) {
        const int32_t vertex = static_cast<int32_t>(vertices.size()) + 1;
        // Both are checked before either converts, as the two cells are.
        if (!std::isfinite(p.Lat)) {
            PositionFails(p.Lat, vertex, 1);
        }
        if (!std::isfinite(p.Lon)) {
            PositionFails(p.Lon, vertex, 2);
        }
        VertexRec v;
        v.Lat = PositionAngle(p.Lat, vertex, 1);
        v.Long = PositionAngle(p.Lon, vertex, 2);
        vertices.push_back(v);
    }
    // Starts past the first that come after the one before and inside the list.
    std::vector<int32_t> starts;
    for (const int32_t start : list.PartStarts) {
        if (start > (starts.empty() ? 0 : starts.back()) &&
            start < static_cast<int32_t>(vertices.size())) {
            starts.push_back(start);
        }
    }
    if (!starts.empty()) {
        starts.insert(starts.begin(), 0);
    }
    return MakeVertexFeature(std::move(vertices), isPolygon, starts);
}

} // namespace sw

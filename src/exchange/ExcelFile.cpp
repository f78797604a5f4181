#include "exchange/ExcelFile.h"

#include "exchange/ByteOrder.h"
#include "exchange/FileError.h"
#include "exchange/SafeFile.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <system_error>

namespace sw {

namespace {

constexpr uint16_t BofRecord = 0x0809;
constexpr uint16_t NumberRecord = 0x0203;
constexpr uint16_t LabelRecord = 0x0204;
constexpr uint16_t EofRecord = 0x000A;
constexpr std::size_t MaxCells = 65536; // rows and columns are 16-bit
constexpr std::size_t MaxLabelBytes = 0xFFFF - 8;

bool IsDigit(char ch) {
    return ch >= '0' && ch <= '9';
}

std::size_t SkipDigits(std::string_view s, std::size_t i) {
    while (i < s.size() && IsDigit(s[i])) {
        ++i;
    }
    return i;
}

void PutRecordHeader(std::string& out, uint16_t id, uint16_t length) {
    PutLE16(out, id);
    PutLE16(out, length);
}

} // namespace

std::optional<double> WorksheetNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const std::size_t mantissa = i;
    i = SkipDigits(text, i);
    bool anyDigit = i > mantissa;
    if (i < text.size() && text[i] == '.') {
        const std::size_t frac = i + 1;
        i = SkipDigits(text, frac);
        anyDigit = anyDigit || i > frac;
    } else if (!anyDigit) {
        return std::nullopt; // neither a digit nor the separator
    }
    const std::size_t mantissaEnd = i;
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
            ++j;
        }
        const std::size_t expDigits = j;
        j = SkipDigits(text, j);
        if (j == expDigits) {
            return std::nullopt;
        }
        i = j;
    }
    if (i != text.size()) {
        return std::nullopt;
    }
    if (!anyDigit) {
        return negative ? -0.0 : 0.0; // "." alone, or ".e5"
    }
    // from_chars reads neither a leading '+' nor a mantissa of only a '.' and
    // digits on one side; rebuild the plain form it does read.
    std::string plain;
    if (negative) {
        plain += '-';
    }
    std::string_view m = text.substr(mantissa, mantissaEnd - mantissa);
    if (m.front() == '.') {
        plain += '0';
    }
    plain += m;
    if (plain.back() == '.') {
        plain += '0';
    }
    plain += text.substr(mantissaEnd);
    double value = 0;
    const auto res = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (res.ec != std::errc() || res.ptr != plain.data() + plain.size()) {
        return std::nullopt;
    }
    return value;
}

void WriteNumberCell(std::string& out, uint16_t col, uint16_t row, double value) {
    PutRecordHeader(out, NumberRecord, 14);
    PutLE16(out, row);
    PutLE16(out, col);
    PutLE16(out, 0); // format index
    PutDoubleLE(out, value);
}

void WriteLabelCell(std::string& out, uint16_t col, uint16_t row, std::string_view text) {
    if (text.size() > MaxLabelBytes) {
        throw FileError("A report cell is too long for a worksheet (" +
                        std::to_string(text.size()) + " characters)");
    }
    const auto len = static_cast<uint16_t>(text.size());
    PutRecordHeader(out, LabelRecord, static_cast<uint16_t>(8 + len));
    PutLE16(out, row);
    PutLE16(out, col);
    PutLE16(out, 0); // format index
    PutLE16(out, len);
    out += text;
}

std::string ExcelFileBytes(const TextTable& table) {
    std::size_t cols = 0;
    for (const auto& row : table) {
        cols = std::max(cols, row.size());
    }
    const std::size_t rows = table.size();
    if (rows > MaxCells || cols > MaxCells) {
        // Row and column numbers are 16-bit: more would silently overwrite cells.
        throw FileError("The report has too many rows or columns for a worksheet (" +
                        std::to_string(rows) + " by " + std::to_string(cols) + ")");
    }
    std::string out;
    PutRecordHeader(out, BofRecord, 8);
    PutLE16(out, 0x0000); // version
    PutLE16(out, 0x0010); // worksheet
    PutLE16(out, 0x0000); // build
    PutLE16(out, 0x0000); // year
    static const std::string empty;
    for (std::size_t c = 0; c < cols; ++c) {
        for (std::size_t r = 0; r < rows; ++r) {
            const std::string& text = c < table[r].size() ? table[r][c] : empty;
            const auto col16 = static_cast<uint16_t>(c);
            const auto row16 = static_cast<uint16_t>(r);
            if (const auto value = WorksheetNumber(text)) {
                WriteNumberCell(out, col16, row16, *value);
            } else {
                WriteLabelCell(out, col16, row16, text);
            }
        }
    }
    PutRecordHeader(out, EofRecord, 0);
    return out;
}

void WriteExcelFile(const std::filesystem::path& path, const TextTable& table) {
    const std::string bytes = ExcelFileBytes(table);
    ReplaceFileContents(path, bytes, WriteFailureText::StreamWriteError);
}

} // namespace sw

#include "exchange/TabDelimitedFile.h"

#include "exchange/FileError.h"
#include "exchange/FileReading.h"
#include "exchange/InputLimits.h"
#include "exchange/SafeFile.h"

#include <algorithm>
#include <filesystem>
#include <utility>

namespace sw {

namespace {

// Code 0 counts with the blanks: a stray NUL byte separates fields instead of
// cutting the rest of the line off.
bool IsBlank(char ch) {
    return static_cast<unsigned char>(ch) <= 32;
}

std::vector<std::string_view> SplitLines(std::string_view bytes) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < bytes.size()) {
        const char ch = bytes[i];
        if (ch == '\r' || ch == '\n') {
            lines.push_back(bytes.substr(start, i - start));
            i += (ch == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ? 2 : 1;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < bytes.size()) {
        lines.push_back(bytes.substr(start));
    }
    return lines;
}

} // namespace

std::vector<std::string> SplitVertexLine(std::string_view line) {
    std::vector<std::string> fields;
    fields.reserve(8); // a label and six numbers, once per line instead of growing
    std::size_t p = 0;
    const std::size_t end = line.size();
    const auto skipBlanks = [&]() {
        while (p < end && IsBlank(line[p])) {
            ++p;
        }
    };
    skipBlanks();
    while (p < end) {
        std::string field;
        if (line[p] == '"') {
            ++p;
            while (p < end) {
                if (line[p] == '"') {
                    if (p + 1 < end && line[p + 1] == '"') {
                        field += '"';
                        p += 2;
                        continue;
                    }
                    ++p; // the closing quote
                    break;
                }
                field += line[p++];
            }
        } else {
            const std::size_t first = p;
            while (p < end && !IsBlank(line[p]) && line[p] != ',') {
                ++p;
            }
            field.assign(line.substr(first, p - first));
        }
        fields.push_back(std::move(field));
        skipBlanks();
        if (p < end && line[p] == ',') {
            if (p + 1 == end) {
                fields.emplace_back();
            }
            ++p;
            skipBlanks();
        }
    }
    return fields;
}

namespace {

void ReadVertexText(std::string_view bytes, VertexTable& t, const std::string& what) {
    // Counted before anything is split: a file of nothing but line ends would
    // otherwise build a list of millions of empty lines first.
    std::size_t lineCount = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n' ||
            (bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n'))) {
            ++lineCount;
        }
    }
    if (!bytes.empty() && bytes.back() != '\n' && bytes.back() != '\r') {
        ++lineCount;
    }
    if (lineCount > MaxInputVertices) {
        throw FileError(TooManyVerticesText(what) + " (one per line)");
    }
    const std::vector<std::string_view> lines = SplitLines(bytes);
    const auto count = static_cast<int32_t>(lines.size());
    t.SetRowCount(count + 2);
    t.VertexCount = count;
    for (int32_t i = 0; i < count; ++i) {
        std::vector<std::string> fields = SplitVertexLine(lines[static_cast<std::size_t>(i)]);
        const int32_t row = i + 2;
        t.ClearRows(row, row);
        t.SetColCount(std::max<int32_t>(static_cast<int32_t>(fields.size()), 1));
        for (std::size_t j = 0; j < fields.size(); ++j) {
            t.SetCell(static_cast<int32_t>(j), row, std::move(fields[j]));
        }
    }
}

} // namespace

void ProcessTabDelimitedText(std::string_view bytes, VertexTable& t) {
    ReadVertexText(bytes, t, "The vertex text");
}

void ProcessTabDelimitedFile(const std::filesystem::path& path, VertexTable& t) {
    const std::string bytes = ReadWholeFile(path, ReadFailureText::CannotOpen, MaxTextInputBytes);
    ReadVertexText(bytes, t, "The vertex file \"" + path.string() + "\"");
}

} // namespace sw

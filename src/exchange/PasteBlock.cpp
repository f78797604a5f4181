#include "exchange/PasteBlock.h"

namespace sw {

namespace {

std::vector<std::string> SplitLine(std::string_view line, char separator) {
    std::vector<std::string> cells;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = line.find(separator, start);
        if (end == std::string_view::npos) {
            cells.emplace_back(line.substr(start));
            return cells;
        }
        cells.emplace_back(line.substr(start, end - start));
        start = end + 1;
    }
}

} // namespace

CellBlock SplitPasteBlock(std::string_view text) {
    const char separator = text.find('\t') != std::string_view::npos ? '\t' : ',';
    CellBlock rows;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        rows.push_back(SplitLine(text.substr(start, end - start), separator));
        if (end == text.size()) {
            break;
        }
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n') {
            ++start;
        }
    }
    return rows;
}

} // namespace sw

#include "exchange/FormatTable.h"

#include "exchange/FormatRegistry.h"

#include <string_view>
#include <variant>

namespace sw {

namespace {

constexpr std::string_view None = "—";

std::string Code(std::string_view text) {
    std::string code;
    code.reserve(text.size() + 2);
    code.append(1, '`').append(text).append(1, '`');
    return code;
}

std::string Yes(bool on) {
    return std::string(on ? "yes" : None);
}

std::string Row(std::initializer_list<std::string> cells) {
    std::string row = "|";
    for (const std::string& c : cells) {
        row.append(1, ' ').append(c).append(" |");
    }
    row += '\n';
    return row;
}

std::string CommandLine(const OutputFormat& f) {
    if (std::holds_alternative<WritesGrid>(f.Writer)) {
        std::string text = Code("--out");
        text.append(" (").append(Code("--out-format " + std::string(f.Id))).append(")");
        return text;
    }
    return f.CliOption.empty() ? std::string(None) : Code(f.CliOption);
}

} // namespace

std::string FormatTablesMarkdown() {
    std::string md = Row({"Read", "Extensions", "Vertex dialog", "Open layer", "What is read"});
    md += "|---|---|---|---|---|\n";
    for (const InputFormat& f : InputFormats()) {
        std::string extensions;
        for (const std::string_view ext : f.Extensions) {
            if (!extensions.empty()) {
                extensions += ' ';
            }
            extensions += Code(ext);
        }
        md += Row({std::string(f.Caption), extensions, Yes(f.InOpenBox), Yes(f.OpensAsLayer),
                   std::string(f.Reads)});
    }
    md += "\n";
    md +=
        Row({"Written", "Extension", "Save Layout", "Command line", "What is written", "Opens in"});
    md += "|---|---|---|---|---|---|\n";
    for (const OutputFormat& f : OutputFormats()) {
        md += Row({std::string(f.Caption), Code(f.Extension), Yes(f.InSaveBox), CommandLine(f),
                   std::string(f.Writes), std::string(f.OpensIn)});
    }
    return md;
}

std::optional<std::string> WithFormatTables(const std::string& document) {
    const std::string begin = std::string(FormatTablesBegin) + "\n";
    const std::string end = std::string(FormatTablesEnd) + "\n";
    const std::size_t from = document.find(begin);
    if (from == std::string::npos) {
        return std::nullopt;
    }
    const std::size_t to = document.find(end, from + begin.size());
    if (to == std::string::npos) {
        return std::nullopt;
    }
    return document.substr(0, from + begin.size()) + FormatTablesMarkdown() + document.substr(to);
}

} // namespace sw

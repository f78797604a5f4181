#include "exchange/MessageText.h"

#include <cstdio>

namespace sw {

std::string QuoteText(std::string_view text, std::size_t limit) {
    std::string out;
    const std::size_t shown = text.size() > limit ? limit : text.size();
    for (std::size_t i = 0; i < shown; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '\t') {
            out += "\\t";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c < 32 || c == 127) {
            char esc[8];
            std::snprintf(esc, sizeof esc, "\\x%02X", c);
            out += esc;
        } else {
            out += text[i];
        }
    }
    if (shown < text.size()) {
        out += "...";
    }
    return out;
}

} // namespace sw

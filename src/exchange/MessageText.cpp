#include "exchange/MessageText.h"

#include <cstdio>

namespace sw {

namespace {

// How one byte is shown: itself, or an escape for a control character.
std::string Shown(char ch) {
    const auto c = static_cast<unsigned char>(ch);
    switch (c) {
    case '\t':
        return "\\t";
    case '\n':
        return "\\n";
    case '\r':
        return "\\r";
    default:
        break;
    }
    if (c < 32 || c == 127) {
        char esc[8];
        std::snprintf(esc, sizeof esc, "\\x%02X", c);
        return esc;
    }
    return std::string(1, ch);
}

} // namespace

std::string QuoteText(std::string_view text, std::size_t limit) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::string piece = Shown(text[i]);
        if (out.size() + piece.size() > limit) {
            return out + "...";
        }
        out += piece;
    }
    return out;
}

} // namespace sw

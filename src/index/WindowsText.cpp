#include "index/WindowsText.h"

#include <array>
#include <cstdint>

namespace sw {

namespace {

// The characters of bytes 0x80 to 0x9F; the rest of the upper half is Latin-1.
constexpr std::array<char32_t, 32> HighControls{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

char WindowsByte(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
        return static_cast<char>(c);
    }
    for (std::size_t i = 0; i < HighControls.size(); ++i) {
        if (HighControls[i] == c) {
            return static_cast<char>(0x80 + i);
        }
    }
    return '?';
}

// The length of the UTF-8 sequence a lead byte starts, 0 for a byte no
// sequence starts with.
int SequenceLength(unsigned char lead) {
    if (lead < 0x80) {
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        return 2;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        return 4;
    }
    return 0;
}

} // namespace

std::string WindowsToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    for (const char ch : text) {
        const auto b = static_cast<unsigned char>(ch);
        AppendUtf8(out, b >= 0x80 && b < 0xA0 ? HighControls[b - 0x80] : char32_t{b});
    }
    return out;
}

WindowsText Utf8ToWindows(std::string_view utf8) {
    WindowsText out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const int n = SequenceLength(lead);
        if (n == 0 || i + static_cast<std::size_t>(n) > utf8.size()) {
            out += '?';
            ++i;
            continue;
        }
        char32_t c = n == 1 ? lead : lead & (0x7F >> n);
        bool wellFormed = true;
        for (int k = 1; k < n; ++k) {
            const auto cont = static_cast<unsigned char>(utf8[i + static_cast<std::size_t>(k)]);
            if ((cont & 0xC0) != 0x80) {
                wellFormed = false;
                break;
            }
            c = (c << 6) | (cont & 0x3F);
        }
        // Overlong forms, surrogates and values past U+10FFFF are not characters.
        const bool overlong = (n == 3 && c < 0x800) || (n == 4 && c < 0x10000);
        if (!wellFormed || overlong || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) {
            out += '?';
            ++i;
            continue;
        }
        out += WindowsByte(c);
        i += static_cast<std::size_t>(n);
    }
    return out;
}

} // namespace sw

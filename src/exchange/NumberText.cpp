#include "exchange/NumberText.h"

#include <charconv>
#include <system_error>

namespace sw {

std::string FormatGeneral15(double value, char decimalSeparator) {
    // The general form drops trailing zeros by itself, and uses fixed notation
    // for every coordinate and count this program writes.
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 15);
    std::string out(buf, res.ec == std::errc() ? res.ptr : buf);
    if (decimalSeparator != '.') {
        for (char& ch : out) {
            if (ch == '.') {
                ch = decimalSeparator;
            }
        }
    }
    return out;
}

} // namespace sw

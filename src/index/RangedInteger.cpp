#include "index/RangedInteger.h"

namespace sw {

namespace {

bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

} // namespace

bool ReadRangedInteger(std::string_view text, int32_t& target, int32_t lowest, int32_t highest) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Accumulated with the sign applied so that -2147483648 is still reachable.
    int64_t value = 0;
    const std::size_t firstDigit = i;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9') {
            break;
        }
        const int64_t next = value * 10 + (negative ? -(c - '0') : (c - '0'));
        if (next > INT32_MAX || next < INT32_MIN) {
            break;
        }
        value = next;
    }
    target = static_cast<int32_t>(value);
    if (i == firstDigit || i != text.size()) {
        return false;
    }
    if (value < lowest || value > highest) {
        target = 0;
        return false;
    }
    return true;
}

} // namespace sw

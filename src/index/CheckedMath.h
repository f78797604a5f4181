#pragma once

// Integer arithmetic of the sheet index never wraps: a result outside the signed
// 32-bit range ends the current command with "Integer overflow". Only absurd
// coordinates get there, and a wrapped value would silently number the wrong sheet.

#include <cmath>
#include <cstdint>
#include <stdexcept>

namespace sw {

class IntegerOverflow : public std::overflow_error {
public:
    IntegerOverflow() : std::overflow_error("Integer overflow") {}
};

inline int32_t CheckedAdd(int32_t a, int32_t b) {
    int32_t r;
    if (__builtin_add_overflow(a, b, &r)) {
        throw IntegerOverflow();
    }
    return r;
}

inline int32_t CheckedSub(int32_t a, int32_t b) {
    int32_t r;
    if (__builtin_sub_overflow(a, b, &r)) {
        throw IntegerOverflow();
    }
    return r;
}

inline int32_t CheckedMul(int32_t a, int32_t b) {
    int32_t r;
    if (__builtin_mul_overflow(a, b, &r)) {
        throw IntegerOverflow();
    }
    return r;
}

inline int32_t CheckedNarrow(int64_t v) {
    if (v < INT32_MIN || v > INT32_MAX) {
        throw IntegerOverflow();
    }
    return static_cast<int32_t>(v);
}

// Rounds to the nearest integer, a half to the even neighbour (112.5 gives 112),
// and refuses results outside the 32-bit range instead of invoking undefined
// behaviour in the conversion.
inline int32_t RoundHalfEven(double x) {
    const double r = std::nearbyint(x); // the default rounding mode is to nearest, ties to even
    if (!(r >= static_cast<double>(INT32_MIN) && r <= static_cast<double>(INT32_MAX))) {
        throw IntegerOverflow();
    }
    return static_cast<int32_t>(r);
}

// Truncates toward zero with the same range guard.
inline int32_t TruncToInt(double x) {
    const double r = std::trunc(x);
    if (!(r >= static_cast<double>(INT32_MIN) && r <= static_cast<double>(INT32_MAX))) {
        throw IntegerOverflow();
    }
    return static_cast<int32_t>(r);
}

} // namespace sw

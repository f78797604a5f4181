#pragma once

// Integer arithmetic of the sheet index never wraps: a result outside the signed
// 32-bit range ends the current command with "Integer overflow". Only absurd
// coordinates get there, and a wrapped value would silently number the wrong sheet.

#include "index/Error.h"
#include <cmath>
#include <cstdint>

#include <stdexcept>

namespace sw {

// A result outside 32 bits: the input is too large for the index's arithmetic.
class IntegerOverflow : public Error {
public:
    IntegerOverflow() : Error(ErrorKind::Input, "Integer overflow") {}
};

// The plain versions compute in 64 bits, where no sum, difference or product of
// two 32-bit values can wrap, and narrow with the range check. They serve
// compilers without the overflow builtins and are callable everywhere so that
// both ways can be checked against each other.
inline int32_t CheckedNarrow(int64_t v);

inline int32_t PlainCheckedAdd(int32_t a, int32_t b) {
    return CheckedNarrow(static_cast<int64_t>(a) + b);
}

inline int32_t PlainCheckedSub(int32_t a, int32_t b) {
    return CheckedNarrow(static_cast<int64_t>(a) - b);
}

inline int32_t PlainCheckedMul(int32_t a, int32_t b) {
    return CheckedNarrow(static_cast<int64_t>(a) * b);
}

#if defined(__has_builtin)
#if __has_builtin(__builtin_add_overflow) && __has_builtin(__builtin_sub_overflow) &&              \
    __has_builtin(__builtin_mul_overflow)
#define SW_HAVE_OVERFLOW_BUILTINS 1
#endif
#endif

#if defined(SW_HAVE_OVERFLOW_BUILTINS)

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

#else

inline int32_t CheckedAdd(int32_t a, int32_t b) {
    return PlainCheckedAdd(a, b);
}

inline int32_t CheckedSub(int32_t a, int32_t b) {
    return PlainCheckedSub(a, b);
}

inline int32_t CheckedMul(int32_t a, int32_t b) {
    return PlainCheckedMul(a, b);
}

#endif

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

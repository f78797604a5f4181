#include "index/CheckedMath.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>

using namespace sw;

namespace {

constexpr int32_t Max = std::numeric_limits<int32_t>::max();
constexpr int32_t Min = std::numeric_limits<int32_t>::min();

// The exact result when it fits in 32 bits, none when it does not.
std::optional<int32_t> Exact(int64_t v) {
    if (v < Min || v > Max) {
        return std::nullopt;
    }
    return static_cast<int32_t>(v);
}

template <class F> std::optional<int32_t> Try(F f) {
    try {
        return f();
    } catch (const IntegerOverflow&) {
        return std::nullopt;
    }
}

} // namespace

// The operations the build uses and the plain fallback agree with the exact
// 64-bit result at and around every edge of the range, so a compiler without the
// overflow builtins numbers the same sheets and refuses the same values.
TEST(CheckedMath, BothWaysMatchTheExactResultAtTheEdges) {
    const int32_t values[] = {Min, Min + 1, -46341, -46340, -65536, -2,      -1, 0,
                              1,   2,       46340,  46341,  65536,  Max - 1, Max};
    for (int32_t a : values) {
        for (int32_t b : values) {
            const int64_t a64 = a;
            const std::optional<int32_t> sum = Exact(a64 + b);
            const std::optional<int32_t> difference = Exact(a64 - b);
            const std::optional<int32_t> product = Exact(a64 * b);
            EXPECT_EQ(Try([&] { return CheckedAdd(a, b); }), sum) << a << " + " << b;
            EXPECT_EQ(Try([&] { return PlainCheckedAdd(a, b); }), sum) << a << " + " << b;
            EXPECT_EQ(Try([&] { return CheckedSub(a, b); }), difference) << a << " - " << b;
            EXPECT_EQ(Try([&] { return PlainCheckedSub(a, b); }), difference) << a << " - " << b;
            EXPECT_EQ(Try([&] { return CheckedMul(a, b); }), product) << a << " * " << b;
            EXPECT_EQ(Try([&] { return PlainCheckedMul(a, b); }), product) << a << " * " << b;
        }
    }
}

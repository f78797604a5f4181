#include "index/Convertions.h"
#include "index/CheckedMath.h"

#include <gtest/gtest.h>

#include <limits>

using namespace sw;

TEST(Convertions, SecondsRoundTripOverHundredDegrees) {
    for (int32_t s = 0; s <= 100 * 3600; ++s) {
        const DmsAngle a = SecToDms(s);
        ASSERT_GE(a.Min, 0);
        ASSERT_LE(a.Min, 59);
        ASSERT_GE(a.Sec, 0);
        ASSERT_LE(a.Sec, 59);
        ASSERT_EQ(DmsToSec(a), s);
    }
    EXPECT_EQ(SecToDms(750), (DmsAngle{0, 12, 30}));
}

TEST(Convertions, DmsToSecSumsUnnormalisedComponents) {
    EXPECT_EQ(DmsToSec(DmsAngle{24, 59, 60}), DmsToSec(DmsAngle{25, 0, 0}));
    EXPECT_EQ(DmsToSec(DmsAngle{0, 75, 0}), 4500);
}

TEST(Convertions, OverflowThrowsInsteadOfWrapping) {
    EXPECT_THROW(DmsToSec(DmsAngle{600000, 0, 0}), IntegerOverflow);
    EXPECT_EQ(DmsToSec(DmsAngle{0, 0, std::numeric_limits<int32_t>::max()}),
              std::numeric_limits<int32_t>::max());
    EXPECT_THROW(DmsToSec(DmsAngle{0, 1, std::numeric_limits<int32_t>::max()}), IntegerOverflow);
    try {
        DmsToSec(DmsAngle{std::numeric_limits<int32_t>::max(), 0, 0});
        FAIL();
    } catch (const IntegerOverflow& e) {
        EXPECT_STREQ(e.what(), "Integer overflow");
    }
    EXPECT_THROW(RoundHalfEven(1e12), IntegerOverflow);
    EXPECT_THROW(RoundHalfEven(std::numeric_limits<double>::quiet_NaN()), IntegerOverflow);
}

TEST(Convertions, DecimalToDmsRounding) {
    EXPECT_EQ(DecimalToDms(24.5), (DmsAngle{24, 30, 0}));
    EXPECT_EQ(DecimalToDms(72.0), (DmsAngle{72, 0, 0}));
    // No carry: the seconds round up to 60 and stay there.
    EXPECT_EQ(DecimalToDms(24.99999), (DmsAngle{24, 59, 60}));
    EXPECT_EQ(DmsToSec(DecimalToDms(24.99999)), DmsToSec(DmsAngle{25, 0, 0}));
    EXPECT_EQ(DecimalToDms(28.6139), (DmsAngle{28, 36, 50}));
    EXPECT_EQ(DecimalToDms(77.2083), (DmsAngle{77, 12, 30}));
    EXPECT_EQ(DecimalToDms(77.25), (DmsAngle{77, 15, 0}));
    EXPECT_THROW(DecimalToDms(std::numeric_limits<double>::infinity()), std::invalid_argument);
    EXPECT_THROW(DecimalToDms(std::numeric_limits<double>::quiet_NaN()), std::invalid_argument);
    EXPECT_THROW(DecimalToDms(1e300), IntegerOverflow);
}

TEST(Convertions, DecimalToDmsAgreesWithSecondsWithinHalfASecond) {
    // Every whole-second position of the index, as decimal degrees, comes back to
    // within one second (the single-precision minutes lose a little).
    for (int32_t s = 4 * 3600; s <= 40 * 3600; s += 7) {
        const double x = s / 3600.0;
        const int32_t back = DmsToSec(DecimalToDms(x));
        ASSERT_LE(std::abs(back - s), 1) << x;
    }
}

TEST(Convertions, DmsToDecimal) {
    EXPECT_DOUBLE_EQ(DmsToDecimal(DmsAngle{24, 30, 0}), 24.5);
    EXPECT_EQ(DmsToDecimal(DmsAngle{77, 15, 0}), 77.25);
    EXPECT_EQ(DmsToDecimal(DmsAngle{28, 20, 0}), 28.0 + (1200.0 / 60.0) / 60.0);
}

TEST(Convertions, DmsToTextPadsToTwoDigits) {
    EXPECT_EQ(DmsToText(SecToDms(0)), "00\xB0"
                                      "00'00\"");
    EXPECT_EQ(DmsToText(DmsAngle{24, 1, 0}), "24\xB0"
                                             "01'00\"");
    EXPECT_EQ(DmsToText(DmsAngle{8, 5, 30}), "08\xB0"
                                             "05'30\"");
    EXPECT_EQ(DmsToText(DmsAngle{100, 59, 60}), "100\xB0"
                                                "59'60\"");
}

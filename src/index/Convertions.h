#pragma once

// Angles are whole arc seconds throughout: north latitudes and east longitudes
// only, no sign or hemisphere. A DmsAngle is what the user typed or what a
// conversion produced; everything that compares positions works on seconds.

#include <cstdint>
#include <string>

namespace sw {

struct DmsAngle {
    int32_t Deg = 0;
    int32_t Min = 0;
    int32_t Sec = 0;

    friend bool operator==(const DmsAngle&, const DmsAngle&) = default;
};

// (Deg * 60 + Min) * 60 + Sec. Out-of-range components are simply summed, so
// 24°59'60" counts as 25°00'00". Throws IntegerOverflow past the 32-bit range.
int32_t DmsToSec(const DmsAngle& a);
int32_t DmsToSec(int32_t deg, int32_t min, int32_t sec);

// Truncating split of a second count; normalised for the non-negative values used.
DmsAngle SecToDms(int32_t seconds);

// Decimal degrees to an angle. The minutes pass through single precision and the
// seconds are rounded without carry: 24.99999 gives 24°59'60". Throws
// IntegerOverflow for values whose degrees do not fit in 32 bits and
// std::invalid_argument for NaN or infinity.
DmsAngle DecimalToDms(double x);

// Deg + ((Min * 60 + Sec) / 60) / 60 in double precision.
double DmsToDecimal(const DmsAngle& a);

// "24°01'00\"": two digits at least per component, the degree sign as byte 176
// (Windows-1252), then the apostrophe and the double quote.
std::string DmsToText(const DmsAngle& a);

} // namespace sw

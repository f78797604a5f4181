#pragma once

// Decimal text of floating-point values, independent of the C and C++ locales.

#include <string>

namespace sw {

// At most 15 significant digits, trailing zeros and a trailing separator dropped
// (77, 77.25, 28.3333333333333), with `decimalSeparator` between the integer and
// the fraction. Values of 1e15 and above or below 1e-4 in magnitude take an
// exponent ("1e+15"); "nan" and "inf" stand for those values.
std::string FormatGeneral15(double value, char decimalSeparator = '.');

} // namespace sw

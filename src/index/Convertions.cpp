#include "index/Convertions.h"

#include "index/CheckedMath.h"

#include <cmath>
#include <stdexcept>

namespace sw {

int32_t DmsToSec(int32_t deg, int32_t min, int32_t sec) {
    return CheckedAdd(CheckedMul(CheckedAdd(CheckedMul(deg, 60), min), 60), sec);
}

int32_t DmsToSec(const DmsAngle& a) {
    return DmsToSec(a.Deg, a.Min, a.Sec);
}

DmsAngle SecToDms(int32_t seconds) {
    const int32_t m = seconds / 60;
    return DmsAngle{m / 60, m % 60, seconds % 60};
}

DmsAngle DecimalToDms(double x) {
    if (!std::isfinite(x)) {
        throw std::invalid_argument("Invalid floating point operation");
    }
    DmsAngle a;
    a.Deg = TruncToInt(x);
    // The minutes are held in single precision on purpose: it is what makes
    // 24.99999 come out as 59'60" rather than 25°00'00", and stored vertex lists
    // have been numbered that way.
    const float f = static_cast<float>((x - std::trunc(x)) * 60.0);
    a.Min = TruncToInt(f);
    const double fracMinutes = static_cast<double>(f) - std::trunc(static_cast<double>(f));
    a.Sec = RoundHalfEven(fracMinutes * 60.0);
    return a;
}

double DmsToDecimal(const DmsAngle& a) {
    const int32_t minutesAndSeconds = CheckedAdd(CheckedMul(a.Min, 60), a.Sec);
    return static_cast<double>(a.Deg) + (static_cast<double>(minutesAndSeconds) / 60.0) / 60.0;
}

namespace {

std::string TwoDigits(int32_t v) {
    std::string s = std::to_string(v);
    if (s.size() == 1) {
        s.insert(s.begin(), '0');
    }
    return s;
}

} // namespace

std::string DmsToText(const DmsAngle& a) {
    std::string s = TwoDigits(a.Deg);
    s += '\xB0';
    s += TwoDigits(a.Min);
    s += '\'';
    s += TwoDigits(a.Sec);
    s += '"';
    return s;
}

} // namespace sw

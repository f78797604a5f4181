#pragma once

// GDAL reports through a process-wide handler that prints to stderr. While a
// GIS file is read or written, its messages are kept quiet and taken into ours
// instead; the first failure is kept too, since a driver often reports why it
// gave up ("GeoJSON object too complex/large ...") and then a general "Failed
// to read GeoJSON data", and the first is the one that tells the user what to do.

#include <string>

namespace sw {

class QuietGdal {
public:
    // Registers GDAL's drivers on first use, then quiets its messages on this
    // thread until destroyed.
    QuietGdal();
    ~QuietGdal();
    QuietGdal(const QuietGdal&) = delete;
    QuietGdal& operator=(const QuietGdal&) = delete;

private:
    std::string firstFailure_;
};

// GDAL's first failure since the innermost QuietGdal of this thread began (or
// since ForgetGdalFailures), else its last message; empty when it said nothing.
std::string GdalFirstFailure();

// Before a step whose failure is to be told: what GDAL said before it (a driver
// that probed and recovered) is not its reason.
void ForgetGdalFailures();

} // namespace sw

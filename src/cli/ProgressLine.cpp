#include "cli/ProgressLine.h"

#include <ostream>
#include <utility>

namespace sw::cli {

ProgressLine::ProgressLine(std::ostream& err, bool shown, std::string what,
                           std::chrono::milliseconds delay, Clock clock)
    : err_(err), shown_(shown), what_(std::move(what)), delay_(delay), clock_(std::move(clock)),
      start_(shown ? clock_() : std::chrono::steady_clock::time_point{}) {}

ProgressLine::~ProgressLine() {
    try {
        Finish();
    } catch (...) {
        // A terminal that cannot be written to has nothing left to tell.
    }
}

void ProgressLine::Update(int32_t percent) {
    if (!shown_ || percent == lastPercent_ || clock_() - start_ < delay_) {
        return;
    }
    lastPercent_ = percent;
    // The carriage return takes the cursor back over the previous figure; the
    // text only grows, so nothing of it is left behind.
    err_ << "\rsheetwright-cli: " << what_ << "... " << percent << '%' << std::flush;
    lineOpen_ = true;
}

void ProgressLine::Finish() {
    if (lineOpen_) {
        err_ << '\n' << std::flush;
        lineOpen_ = false;
    }
    shown_ = false;
}

} // namespace sw::cli

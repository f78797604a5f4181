#include "cli/ProgressLine.h"

#include <ostream>
#include <utility>

namespace sw::cli {

ProgressLine::ProgressLine(std::ostream& err, bool shown, std::chrono::milliseconds delay,
                           Clock clock)
    : err_(err), shown_(shown), delay_(delay), clock_(std::move(clock)),
      start_(shown ? clock_() : std::chrono::steady_clock::time_point{}) {}

ProgressLine::~ProgressLine() {
    try {
        Finish();
    } catch (...) {
        // A terminal that cannot be written to has nothing left to tell.
    }
}

void ProgressLine::Update(const std::string& what, int32_t percent) {
    if (!shown_) {
        return;
    }
    std::string text = "sheetwright-cli: " + what + "... " + std::to_string(percent) + "%";
    if (text == last_ || clock_() - start_ < delay_) {
        return;
    }
    // The carriage return takes the cursor back to the start of the line;
    // blanks cover what a longer text before left there.
    const std::size_t cover = last_.size() > text.size() ? last_.size() - text.size() : 0;
    err_ << '\r' << text << std::string(cover, ' ') << std::flush;
    last_ = std::move(text);
}

void ProgressLine::Finish() {
    if (!last_.empty()) {
        err_ << '\n' << std::flush;
        last_.clear();
    }
    shown_ = false;
}

} // namespace sw::cli

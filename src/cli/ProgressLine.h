#pragma once

// A percentage on stderr for work a user waits for at a terminal: nothing for
// the first second (most runs end sooner and should print nothing extra), then
// one line rewritten in place, ended with a line break once the work ends.
// Nothing at all when stderr is not a terminal, so logs and pipes stay clean.

#include <chrono>
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <string>

namespace sw::cli {

class ProgressLine {
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;

    // `shown` false makes every call a no-op. `what` is the work's name:
    // "computing the sheets".
    ProgressLine(std::ostream& err, bool shown, std::string what,
                 std::chrono::milliseconds delay = std::chrono::seconds(1),
                 Clock clock = std::chrono::steady_clock::now);
    ~ProgressLine();
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    // The work is `percent` done; written only once the delay has passed and
    // only when the number changes.
    void Update(int32_t percent);

    // Ends the line if one was written, so what follows starts on its own line.
    void Finish();

private:
    std::ostream& err_;
    bool shown_;
    std::string what_;
    std::chrono::milliseconds delay_;
    Clock clock_;
    std::chrono::steady_clock::time_point start_;
    int32_t lastPercent_ = -1;
    bool lineOpen_ = false;
};

} // namespace sw::cli

#pragma once

// Progress on stderr for work a user waits for at a terminal: nothing for the
// first second of the command (most runs end sooner and should print nothing
// extra), then one line rewritten in place as the work goes on, naming the stage
// and its percentage, ended with a line break when the work ends. Nothing at all
// when stderr is not a terminal, so logs and pipes stay clean.

#include <chrono>
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <string>

namespace sw::cli {

class ProgressLine {
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;

    // `shown` false makes every call a no-op. The delay counts from here.
    ProgressLine(std::ostream& err, bool shown,
                 std::chrono::milliseconds delay = std::chrono::seconds(1),
                 Clock clock = std::chrono::steady_clock::now);
    ~ProgressLine();
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    // The stage `what` ("computing the sheets") is `percent` done. Written once
    // the delay has passed, and only when the text changes.
    void Update(const std::string& what, int32_t percent);

    // Ends the line if one was written, so what follows starts on its own line.
    void Finish();

private:
    std::ostream& err_;
    bool shown_;
    std::chrono::milliseconds delay_;
    Clock clock_;
    std::chrono::steady_clock::time_point start_;
    std::string last_;
};

} // namespace sw::cli

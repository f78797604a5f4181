#pragma once

// Pieces every sub-command of the batch tool shares: argument parsing of series,
// scales and angles, and the exit-code contract (0 ok, 1 input error, 2 usage).

#include "index/Convertions.h"
#include "index/Error.h"
#include "index/Settings.h"

#include <cstdint>
#include <stdexcept>
#include <string>

namespace CLI {
class App;
}

namespace sw::cli {

inline constexpr int ExitOk = 0;
inline constexpr int ExitInputError = 1;
inline constexpr int ExitUsage = 2;

// A command line that names something the tool does not have (an unknown scale,
// a malformed angle). Reported on stderr with exit 2.
class UsageError : public Error {
public:
    explicit UsageError(const std::string& what) : Error(ErrorKind::Usage, what) {}
};

// Bad data in an input file. Reported on stderr with exit 1.
class InputError : public Error {
public:
    explicit InputError(const std::string& what) : Error(ErrorKind::Input, what) {}
};

// "old" or "open" to the series value.
Series ParseSeries(const std::string& text);

// A scale caption as the scale box shows it ("1:50,000", "1:2,50,000") or the same
// digits without separators; an unknown one names the series' valid captions.
int32_t ParseScale(Series series, const std::string& text);

// The start settings at a series and scale given as command-line text.
Settings ParseSettings(const std::string& series, const std::string& scale);

// The required --series and --scale options every sub-command but `extent` takes.
void AddSeriesOption(CLI::App& cmd, std::string& series);
void AddScaleOption(CLI::App& cmd, std::string& scale);

// D:M:S with whole numbers (28:36:50) or decimal degrees (28.6139, through
// DecimalToDms). `what` names the argument in the error message. Given
// `fraction`, it receives the seconds that decimal degrees hold beyond the
// whole seconds returned (0 for D:M:S).
DmsAngle ParseAngle(const std::string& text, const std::string& what, double* fraction = nullptr);

} // namespace sw::cli

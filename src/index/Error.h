#pragma once

// The one base of every exception the program throws on purpose. Its kind says
// how a caller answers it: the command line maps the kinds to its exit codes in
// one place, the window shows the message of any but a cancelled one.

#include <stdexcept>
#include <string>

namespace sw {

enum class ErrorKind {
    Input,     // bad data: a file, a typed value, coordinates the index does not hold
    Usage,     // a command that names something the program does not have
    Output,    // a result that could not be written
    Cancelled, // the user stopped the work; nothing to report
};

class Error : public std::runtime_error {
public:
    Error(ErrorKind kind, const std::string& what) : std::runtime_error(what), kind_(kind) {}
    ErrorKind Kind() const noexcept { return kind_; }

private:
    ErrorKind kind_;
};

} // namespace sw

#include "cli/OutputBuffer.h"

#include <cerrno>
#include <cstring>
#include <ostream>

namespace sw::cli {

void CheckOutput(std::ostream& out) {
    if (out) {
        return;
    }
    const int code = errno;
    std::string message = "cannot write the output";
    if (code != 0) {
        message += ": ";
        message += std::strerror(code);
    }
    throw OutputError(message);
}

OutputBuffer::OutputBuffer(std::ostream& out, std::size_t capacity)
    : out_(out), capacity_(capacity == 0 ? 1 : capacity) {
    text_.reserve(capacity_);
}

OutputBuffer::~OutputBuffer() {
    if (!text_.empty() && out_) {
        out_.write(text_.data(), static_cast<std::streamsize>(text_.size()));
    }
}

void OutputBuffer::Spill() {
    if (text_.empty()) {
        return;
    }
    errno = 0;
    out_.write(text_.data(), static_cast<std::streamsize>(text_.size()));
    text_.clear();
    CheckOutput(out_);
}

void OutputBuffer::Flush() {
    Spill();
    errno = 0;
    out_.flush();
    CheckOutput(out_);
}

} // namespace sw::cli

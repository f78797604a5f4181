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
    : out_(out), capacity_(capacity == 0 ? 1 : capacity), text_(new char[capacity_]),
      pos_(text_.get()), end_(text_.get() + capacity_) {}

OutputBuffer::~OutputBuffer() {
    if (pos_ != text_.get() && out_) {
        out_.write(text_.get(), pos_ - text_.get());
    }
}

void OutputBuffer::Write(const char* data, std::size_t size) {
    errno = 0;
    out_.write(data, static_cast<std::streamsize>(size));
    CheckOutput(out_);
}

void OutputBuffer::Spill() {
    const auto held = static_cast<std::size_t>(pos_ - text_.get());
    pos_ = text_.get();
    if (held > 0) {
        Write(text_.get(), held);
    }
}

void OutputBuffer::Flush() {
    Spill();
    errno = 0;
    out_.flush();
    CheckOutput(out_);
}

} // namespace sw::cli

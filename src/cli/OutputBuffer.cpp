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
    : out_(out), capacity_(capacity == 0 ? 1 : capacity), text_(capacity_), pos_(text_.data()),
      end_(text_.data() + capacity_) {}

OutputBuffer::~OutputBuffer() {
    if (pos_ != text_.data() && out_) {
        out_.write(text_.data(), pos_ - text_.data());
    }
}

void OutputBuffer::Write(const char* data, std::size_t size) {
    errno = 0;
    out_.write(data, static_cast<std::streamsize>(size));
    CheckOutput(out_);
}

void OutputBuffer::Spill() {
    const auto held = static_cast<std::size_t>(pos_ - text_.data());
    pos_ = text_.data();
    if (held > 0) {
        Write(text_.data(), held);
    }
}

void OutputBuffer::Flush() {
    Spill();
    errno = 0;
    out_.flush();
    CheckOutput(out_);
}

} // namespace sw::cli

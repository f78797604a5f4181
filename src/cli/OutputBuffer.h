#pragma once

// Everything a command prints goes to the stream in large blocks: formatting a
// grid of millions of cells piece by piece through an ostream costs more than
// computing it. A failed or short write ends the command with an output error
// (exit 1) at once instead of formatting the rest into nowhere.

#include "cli/CliCommon.h"
#include "coverage/LargeBlock.h"

#include <charconv>
#include <cstdint>
#include <cstring>
#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>

namespace sw::cli {

// A write to standard output failed (a full disk, a closed pipe).
class OutputError : public Error {
public:
    explicit OutputError(const std::string& what) : Error(ErrorKind::Output, what) {}
};

// Throws OutputError when `out` has failed, naming the system's reason when
// there is one.
void CheckOutput(std::ostream& out);

class OutputBuffer {
public:
    static constexpr std::size_t DefaultCapacity = std::size_t{1} << 20;

    explicit OutputBuffer(std::ostream& out, std::size_t capacity = DefaultCapacity);
    OutputBuffer(const OutputBuffer&) = delete;
    OutputBuffer& operator=(const OutputBuffer&) = delete;
    // Hands over what is left without throwing; a failure then shows in the
    // stream's state. Call Flush() to see it as an exception.
    ~OutputBuffer();

    void Append(std::string_view s) {
        if (s.size() > static_cast<std::size_t>(end_ - pos_)) {
            Spill();
            if (s.size() > capacity_) {
                Write(s.data(), s.size());
                return;
            }
        }
        std::memcpy(pos_, s.data(), s.size());
        pos_ += s.size();
    }
    void Append(char c) {
        if (pos_ == end_) {
            Spill();
        }
        *pos_++ = c;
    }
    // For short texts whose storage holds at least `Readable` bytes: copies that
    // fixed count (one or two moves, no length-dependent copy) and keeps s.size().
    template <std::size_t Readable> void AppendShort(std::string_view s) {
        if (Readable > static_cast<std::size_t>(end_ - pos_)) {
            Append(s);
            return;
        }
        std::memcpy(pos_, s.data(), Readable);
        pos_ += s.size();
    }
    template <typename Integer> void AppendNumber(Integer v) {
        char digits[24];
        const auto result = std::to_chars(digits, digits + sizeof digits, v);
        Append(std::string_view(digits, static_cast<std::size_t>(result.ptr - digits)));
    }

    // Writes everything held and flushes the stream; throws OutputError on failure.
    void Flush();

private:
    void Spill();
    void Write(const char* data, std::size_t size);

    std::ostream& out_;
    std::size_t capacity_;
    LargeArray<char> text_;
    char* pos_;
    char* end_;
};

} // namespace sw::cli

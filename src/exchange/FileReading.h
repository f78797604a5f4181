#pragma once

// Bounded reading of input files: only regular files, never more than a reader
// asks for, and messages that name the file.

#include "exchange/FileTexts.h"

#include <cstddef>
#include <filesystem>
#include <string>

namespace sw {

// Reading input files. Only regular files are read: a folder, FIFO, device or
// socket is refused with a message naming the file (reading a FIFO or /dev/zero
// would never end), and so is a file larger than `maxBytes`.
enum class ReadFailureText { Runtime, CannotOpen };

// An input file opened for reading, its size known. Reads are positioned, so only
// the parts a reader needs are read.
class InputFile {
public:
    InputFile(const std::filesystem::path& path, ReadFailureText failure, std::size_t maxBytes);
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;
    ~InputFile();

    std::size_t Size() const { return size_; }
    // The bytes [offset, offset + count), fewer where the file ends first.
    std::string Read(std::size_t offset, std::size_t count) const;

private:
    std::string path_;
    ReadFailureText failure_;
    int fd_ = -1;
    std::size_t size_ = 0;
};

// Closes `fd` when it is open and marks it closed, ignoring what close says: for
// a descriptor given up on a failure path or one only read from.
void CloseQuietly(int& fd);

// The largest file any reader loads whole (256 MiB).
inline constexpr std::size_t MaxWholeFileBytes = std::size_t{256} << 20;

// The whole file, at most `maxBytes`. When it cannot be opened or read, throws
// FileError with CannotOpenText or the runtime's text, as `failure` asks.
std::string ReadWholeFile(const std::filesystem::path& path, ReadFailureText failure,
                          std::size_t maxBytes = MaxWholeFileBytes);

} // namespace sw

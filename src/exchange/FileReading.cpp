#include "exchange/FileReading.h"

#include "exchange/FileError.h"
#include "exchange/FileTexts.h"

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sw {

void CloseQuietly(int& fd) {
    if (fd >= 0) {
        ::close(fd);
        fd = -1;
    }
}

InputFile::InputFile(const std::filesystem::path& path, ReadFailureText failure,
                     std::size_t maxBytes)
    : path_(path), failure_(failure) {
    // Not waiting on open: a FIFO without a writer would block here forever.
    fd_ = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd_ < 0) {
        const int err = errno != 0 ? errno : EIO;
        throw FileError(failure == ReadFailureText::CannotOpen ? CannotOpenText(path, err)
                                                               : RuntimeIoText(err));
    }
    struct stat st {};
    if (::fstat(fd_, &st) != 0) {
        const int err = errno;
        CloseQuietly(fd_);
        throw FileError(CannotOpenText(path, err));
    }
    if (!S_ISREG(st.st_mode)) {
        CloseQuietly(fd_);
        throw FileError("Cannot open file \"" + path.string() + "\". " +
                        NonFileKindText(st.st_mode));
    }
    size_ = static_cast<std::size_t>(st.st_size);
    if (size_ > maxBytes) {
        CloseQuietly(fd_);
        throw FileError(TooLargeText(path, size_, maxBytes));
    }
}

InputFile::~InputFile() {
    CloseQuietly(fd_);
}

std::string InputFile::Read(std::size_t offset, std::size_t count) const {
    if (offset >= size_) {
        return {};
    }
    count = std::min(count, size_ - offset);
    std::string out(count, '\0');
    std::size_t done = 0;
    while (done < count) {
        const ssize_t n =
            ::pread(fd_, out.data() + done, count - done, static_cast<off_t>(offset + done));
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            const int err = errno;
            throw FileError(failure_ == ReadFailureText::CannotOpen
                                ? "Cannot read file \"" + path_ + "\". " + SystemReasonText(err)
                                : RuntimeIoText(err));
        }
        if (n == 0) {
            break; // the file shrank since it was opened
        }
        done += static_cast<std::size_t>(n);
    }
    out.resize(done);
    return out;
}

std::string ReadWholeFile(const std::filesystem::path& path, ReadFailureText failure,
                          std::size_t maxBytes) {
    const InputFile file(path, failure, maxBytes);
    return file.Read(0, file.Size());
}

} // namespace sw

#include "exchange/SafeFile.h"

#include "exchange/FileError.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>

namespace sw {

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

std::string ReasonText(int errorNumber) {
    return std::generic_category().message(errorNumber);
}

std::string WriteFailure(WriteFailureText failure, int errorNumber) {
    if (failure == WriteFailureText::StreamWriteError) {
        return "Stream write error";
    }
    return RuntimeIoText(errorNumber);
}

// A name beside the target that no other writer of this process or another
// one picks at the same moment; the exclusive open below settles any clash.
std::string TemporaryName(const std::string& target, unsigned attempt) {
    static std::atomic<unsigned> counter{0};
    const auto ticks = static_cast<unsigned long long>(
        std::chrono::steady_clock::now().time_since_epoch().count());
    char suffix[64];
    std::snprintf(suffix, sizeof suffix, ".%llx%x%x.tmp", ticks & 0xFFFFFFull, counter++, attempt);
    return target + suffix;
}

} // namespace

std::string RuntimeIoText(int errorNumber) {
    switch (errorNumber) {
    case ENOENT:
        return "File not found";
    case EACCES:
    case EPERM:
    case EROFS:
        return "File access denied";
    case ENOSPC:
    case EFBIG:
        return "Disk full";
    default:
        return "I/O error " + std::to_string(errorNumber);
    }
}

std::string CannotCreateText(const std::string& path, int errorNumber) {
    return "Cannot create file \"" + path + "\". " + ReasonText(errorNumber);
}

std::string CannotOpenText(const std::string& path, int errorNumber) {
    return "Cannot open file \"" + path + "\". " + ReasonText(errorNumber);
}

StagedFile::StagedFile(std::string target, std::string_view bytes, WriteFailureText failure)
    : target_(std::move(target)) {
    // Renaming would replace a file the user made read-only, which truncating it
    // in place could not; refuse it the same way.
    std::error_code ec;
    if (std::filesystem::exists(target_, ec)) {
        errno = 0;
        FilePtr probe(std::fopen(target_.c_str(), "r+b"));
        if (!probe) {
            throw FileError(CannotCreateText(target_, errno != 0 ? errno : EACCES));
        }
    }

    FilePtr out;
    for (unsigned attempt = 0; attempt < 100 && !out; ++attempt) {
        temp_ = TemporaryName(target_, attempt);
        errno = 0;
        out.reset(std::fopen(temp_.c_str(), "wbx"));
        if (!out && errno != EEXIST) {
            const int err = errno != 0 ? errno : EIO;
            temp_.clear();
            throw FileError(CannotCreateText(target_, err));
        }
    }
    if (!out) {
        temp_.clear();
        throw FileError(CannotCreateText(target_, EEXIST));
    }

    errno = 0;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), out.get()) == bytes.size();
    ok = ok && std::fflush(out.get()) == 0;
    int err = errno;
    std::FILE* raw = out.release();
    if (std::fclose(raw) != 0 && ok) {
        ok = false;
        err = errno;
    }
    if (!ok) {
        std::remove(temp_.c_str());
        temp_.clear();
        throw FileError(WriteFailure(failure, err != 0 ? err : EIO));
    }
}

StagedFile::StagedFile(StagedFile&& other) noexcept
    : target_(std::move(other.target_)), temp_(std::move(other.temp_)) {
    other.temp_.clear();
}

StagedFile::~StagedFile() {
    if (!temp_.empty()) {
        std::remove(temp_.c_str());
    }
}

void StagedFile::Commit() {
    if (temp_.empty()) {
        return;
    }
    std::error_code ec;
    std::filesystem::rename(temp_, target_, ec);
    if (ec) {
        std::remove(temp_.c_str());
        temp_.clear();
        throw FileError(CannotCreateText(target_, ec.value()));
    }
    temp_.clear();
}

void ReplaceFileContents(const std::string& path, std::string_view bytes,
                         WriteFailureText failure) {
    StagedFile staged(path, bytes, failure);
    staged.Commit();
}

std::string ReadWholeFile(const std::string& path, ReadFailureText failure) {
    auto fail = [&](int err) -> FileError {
        if (err == 0) {
            err = EIO;
        }
        return FileError(failure == ReadFailureText::CannotOpen ? CannotOpenText(path, err)
                                                                : RuntimeIoText(err));
    };
    errno = 0;
    FilePtr in(std::fopen(path.c_str(), "rb"));
    if (!in) {
        throw fail(errno);
    }
    std::string data;
    char buf[1 << 16];
    for (;;) {
        errno = 0;
        const std::size_t n = std::fread(buf, 1, sizeof buf, in.get());
        data.append(buf, n);
        if (n < sizeof buf) {
            if (std::ferror(in.get())) {
                // A folder opens on some systems and fails only on reading.
                throw fail(errno);
            }
            break;
        }
    }
    return data;
}

} // namespace sw

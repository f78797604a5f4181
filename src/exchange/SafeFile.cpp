#include "exchange/SafeFile.h"

#include "exchange/FileError.h"
#include "exchange/FileReading.h"
#include "exchange/FileTexts.h"
#include "exchange/TemporaryFiles.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sw {

namespace {

constexpr std::size_t BlockBytes = std::size_t{1} << 20;
constexpr std::size_t NameMax = 255; // bytes in one path component
constexpr int MaxLinkHops = 40;      // as the kernel allows before ELOOP

std::string FolderOf(const std::filesystem::path& path) {
    const std::size_t slash = path.string().rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.string().substr(0, slash);
}

// A hidden name beside `target` that fits the name limit however long the
// target's own name is: ".<name, cut>.<8 hex digits><suffix>".
std::string SiblingName(const std::string& target, const char* suffix) {
    static std::atomic<unsigned> counter{0};
    const std::size_t slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : target.substr(0, slash + 1);
    std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    const auto ticks = static_cast<unsigned long long>(
        std::chrono::steady_clock::now().time_since_epoch().count());
    const unsigned mix = static_cast<unsigned>(ticks ^ (ticks >> 32)) * 2654435761u +
                         static_cast<unsigned>(::getpid()) * 40503u + counter++;
    char tail[32];
    std::snprintf(tail, sizeof tail, ".%08x%s", mix, suffix);
    const std::size_t room = NameMax - 1 - std::char_traits<char>::length(tail);
    if (name.size() > room) {
        name.resize(room);
    }
    return folder + "." + name + tail;
}

// Holds an exclusive lock on each folder of a set while its files are replaced.
class FolderLocks {
public:
    explicit FolderLocks(std::vector<std::string> folders) {
        std::sort(folders.begin(), folders.end()); // one order for everybody: no deadlock
        folders.erase(std::unique(folders.begin(), folders.end()), folders.end());
        for (const std::string& folder : folders) {
            const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            if (fd < 0) {
                continue; // an unreadable folder cannot be locked; the renames still work
            }
            while (::flock(fd, LOCK_EX) != 0 && errno == EINTR) {
            }
            fds_.push_back(fd);
        }
    }
    FolderLocks(const FolderLocks&) = delete;
    FolderLocks& operator=(const FolderLocks&) = delete;
    ~FolderLocks() {
        for (int fd : fds_) {
            ::close(fd); // releases the lock
        }
    }

private:
    std::vector<int> fds_;
};

} // namespace

std::string FollowLinks(const std::filesystem::path& path) {
    std::filesystem::path p(path);
    for (int hop = 0; hop < MaxLinkHops; ++hop) {
        struct stat st {};
        if (::lstat(p.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
            return p.string();
        }
        std::error_code ec;
        const std::filesystem::path next = std::filesystem::read_symlink(p, ec);
        if (ec) {
            return p.string();
        }
        p = next.is_absolute() ? next : p.parent_path() / next;
    }
    throw FileError(CannotCreateText(path, ELOOP));
}

bool IsStreamTarget(const std::filesystem::path& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 &&
           (S_ISFIFO(st.st_mode) || S_ISCHR(st.st_mode) || S_ISSOCK(st.st_mode));
}

// ---- StagedFile -------------------------------------------------------------

bool StagedFile::OpenTarget(struct stat& st) {
    // The path as given first: /dev/stdout leads through links that only the
    // kernel can follow to a pipe, which is written in place under that name.
    bool exists = ::stat(target_.c_str(), &st) == 0;
    if (!exists || S_ISREG(st.st_mode)) {
        target_ = FollowLinks(target_);
        exists = ::stat(target_.c_str(), &st) == 0;
    }
    if (exists && !S_ISREG(st.st_mode)) {
        if (S_ISDIR(st.st_mode) || S_ISBLK(st.st_mode)) {
            throw FileError(CannotCreateBecause(target_, NonFileKindText(st.st_mode)));
        }
        // A pipe, terminal or socket is a stream somebody reads: write into it.
        // Opening without waiting: a FIFO nobody reads would block forever.
        fd_ = ::open(target_.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (fd_ < 0) {
            const int err = errno;
            throw FileError(err == ENXIO && S_ISFIFO(st.st_mode)
                                ? CannotCreateBecause(target_, "No program reads from this FIFO")
                                : CannotCreateText(target_, err));
        }
        ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) & ~O_NONBLOCK);
        inPlace_ = true;
        return true;
    }
    if (exists) {
        // Renaming would replace a file the user made read-only, which truncating it
        // in place could not; refuse it the same way.
        const int probe = ::open(target_.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (probe < 0) {
            throw FileError(CannotCreateText(target_, errno != 0 ? errno : EACCES));
        }
        ::close(probe);
    }
    return exists;
}

void StagedFile::KeepOwnership(int fd, const struct stat& st) {
    // The replacement keeps the user's permissions (a private 0600 file stays
    // private) and, where we may set it, the owner.
    ::fchmod(fd, st.st_mode & 07777);
    if (::geteuid() == 0) {
        [[maybe_unused]] const int ignored = ::fchown(fd, st.st_uid, st.st_gid);
    }
}

StagedFile::StagedFile(const std::filesystem::path& target, WriteFailureText failure)
    : target_(target.string()), failure_(failure) {
    struct stat st {};
    const bool exists = OpenTarget(st);
    if (inPlace_) {
        return;
    }
    const SignalsHeld held; // the temporary made and registered as one step
    for (unsigned attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
        temp_ = SiblingName(target_, ".tmp");
        fd_ = ::open(temp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ < 0 && errno != EEXIST) {
            const int err = errno;
            temp_.clear();
            throw FileError(CannotCreateText(target_, err));
        }
    }
    if (fd_ < 0) {
        temp_.clear();
        throw FileError(CannotCreateText(target_, EEXIST));
    }
    slot_ = RegisterTemporaryFile(temp_);
    if (exists) {
        KeepOwnership(fd_, st);
    }
    buffer_.reserve(BlockBytes);
}

StagedFile StagedFile::Adopt(const std::filesystem::path& target,
                             const std::filesystem::path& written, WriteFailureText failure) {
    StagedFile f(target, written, failure, AdoptTag{});
    return f;
}

StagedFile::StagedFile(const std::filesystem::path& target, const std::filesystem::path& written,
                       WriteFailureText failure, AdoptTag)
    : target_(target.string()), failure_(failure) {
    struct stat st {};
    const bool exists = OpenTarget(st);
    if (inPlace_) {
        // A stream gets the bytes; the written file has served its turn.
        const InputFile in(written, ReadFailureText::CannotOpen, std::size_t(-1));
        for (std::size_t at = 0; at < in.Size(); at += BlockBytes) {
            Write(in.Read(at, BlockBytes));
        }
        ::unlink(written.c_str());
        return;
    }
    temp_ = written.string();
    slot_ = RegisterTemporaryFile(temp_);
    if (exists) {
        fd_ = ::open(temp_.c_str(), O_WRONLY | O_CLOEXEC);
        if (fd_ >= 0) {
            KeepOwnership(fd_, st);
        }
    } else {
        fd_ = ::open(temp_.c_str(), O_RDONLY | O_CLOEXEC); // for the fsync in Finish
    }
}

StagedFile::StagedFile(const std::filesystem::path& target, std::string_view bytes,
                       WriteFailureText failure)
    : StagedFile(target, failure) {
    Write(bytes);
    Finish();
}

StagedFile::StagedFile(StagedFile&& other) noexcept
    : target_(std::move(other.target_)), temp_(std::move(other.temp_)), failure_(other.failure_),
      buffer_(std::move(other.buffer_)), fd_(other.fd_), slot_(other.slot_),
      inPlace_(other.inPlace_) {
    other.temp_.clear();
    other.fd_ = -1;
    other.slot_ = -1;
}

StagedFile::~StagedFile() {
    Discard();
}

void StagedFile::Discard() {
    CloseQuietly(fd_);
    buffer_.clear();
    if (!temp_.empty()) {
        ::unlink(temp_.c_str());
        temp_.clear();
    }
    ReleaseTemporaryFile(slot_);
    slot_ = -1;
}

void StagedFile::FailWrite(int errorNumber) {
    Discard();
    throw FileError(WriteFailureMessage(failure_, errorNumber != 0 ? errorNumber : EIO));
}

void StagedFile::Write(std::string_view bytes) {
    if (fd_ < 0) {
        FailWrite(EBADF);
    }
    if (buffer_.size() + bytes.size() < BlockBytes) {
        buffer_.append(bytes);
        return;
    }
    Flush();
    if (bytes.size() >= BlockBytes) {
        buffer_ = bytes; // written at once below, without a second copy per block
        Flush();
        buffer_.reserve(BlockBytes);
    } else {
        buffer_.append(bytes);
    }
}

void StagedFile::Flush() {
    std::size_t done = 0;
    while (done < buffer_.size()) {
        const ssize_t n = ::write(fd_, buffer_.data() + done, buffer_.size() - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            FailWrite(errno);
        }
        if (n == 0) {
            FailWrite(ENOSPC);
        }
        done += static_cast<std::size_t>(n);
    }
    buffer_.clear();
}

void StagedFile::Finish() {
    if (fd_ < 0) {
        return;
    }
    Flush();
    // On disk before it takes the target's name: a crash right after the rename
    // must not leave an empty file where the old one was.
    if (!inPlace_ && ::fsync(fd_) != 0 && errno != EINVAL && errno != EROFS) {
        FailWrite(errno);
    }
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0 && errno != EINTR) {
        FailWrite(errno);
    }
}

void StagedFile::Commit() {
    Finish();
    if (temp_.empty()) {
        return;
    }
    if (::rename(temp_.c_str(), target_.c_str()) != 0) {
        const int err = errno;
        Discard();
        throw FileError(CannotCreateText(target_, err));
    }
    temp_.clear();
    ReleaseTemporaryFile(slot_);
    slot_ = -1;
}

// ---- FileSet ----------------------------------------------------------------

FileSet::FileSet(RenameFunction rename) : rename_(rename != nullptr ? rename : ::rename) {}

FileSet::~FileSet() = default;

StagedFile& FileSet::Add(const std::filesystem::path& target, WriteFailureText failure) {
    files_.push_back(std::make_unique<StagedFile>(target, failure));
    return *files_.back();
}

void FileSet::Adopt(const std::filesystem::path& target, const std::filesystem::path& written,
                    WriteFailureText failure) {
    files_.push_back(std::make_unique<StagedFile>(StagedFile::Adopt(target, written, failure)));
}

void FileSet::Commit() {
    for (auto& f : files_) {
        f->Finish();
    }
    std::vector<std::string> folders;
    for (const auto& f : files_) {
        if (!f->inPlace_) {
            folders.push_back(FolderOf(f->target_));
        }
    }
    const FolderLocks locks(std::move(folders));

    struct Step {
        StagedFile* file;
        std::string backup; // the old file under a temporary name; empty when there was none
        bool linked;        // the backup is a second name of the old file, which stays in place
    };
    std::vector<Step> done;
    auto rollBack = [&](const Step* failed, int err, const std::string& target) {
        if (failed != nullptr && !failed->backup.empty()) {
            if (failed->linked) {
                ::unlink(failed->backup.c_str());
            } else {
                ::rename(failed->backup.c_str(), target.c_str());
            }
        }
        for (auto it = done.rbegin(); it != done.rend(); ++it) {
            if (it->backup.empty()) {
                ::unlink(it->file->target_.c_str());
            } else {
                ::rename(it->backup.c_str(), it->file->target_.c_str());
            }
        }
        for (auto& f : files_) {
            f->Discard();
        }
        throw FileError(CannotCreateText(target, err));
    };

    for (auto& f : files_) {
        if (f->inPlace_ || f->temp_.empty()) {
            continue;
        }
        Step step{f.get(), {}, false};
        struct stat st {};
        if (::lstat(f->target_.c_str(), &st) == 0) {
            // Keep the old file under a second name; a hard link leaves the target
            // in place throughout, a rename is the fallback where links are not had.
            for (int attempt = 0; attempt < 100; ++attempt) {
                step.backup = SiblingName(f->target_, ".old");
                if (::link(f->target_.c_str(), step.backup.c_str()) == 0) {
                    step.linked = true;
                    break;
                }
                if (errno != EEXIST) {
                    break;
                }
            }
            if (!step.linked && rename_(f->target_.c_str(), step.backup.c_str()) != 0) {
                const int err = errno;
                step.backup.clear();
                rollBack(nullptr, err, f->target_);
            }
        }
        if (rename_(f->temp_.c_str(), f->target_.c_str()) != 0) {
            const int err = errno;
            rollBack(&step, err, f->target_);
        }
        f->temp_.clear();
        done.push_back(step);
    }
    for (const Step& step : done) {
        if (!step.backup.empty()) {
            ::unlink(step.backup.c_str());
        }
        step.file->Discard(); // only releases the registration now
    }
}

void ReplaceFileContents(const std::filesystem::path& path, std::string_view bytes,
                         WriteFailureText failure) {
    StagedFile staged(path, bytes, failure);
    staged.Commit();
}

} // namespace sw

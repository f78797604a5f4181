#include "exchange/TemporaryFiles.h"

#include "exchange/FileError.h"
#include "exchange/FileTexts.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <system_error>

#include <dirent.h>
#include <fcntl.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace sw {

namespace {

constexpr std::size_t SlotCount = 64;
constexpr std::size_t MaxPath = 4096;

enum SlotState : int { Free = 0, Busy = 1, ActiveFile = 2, ActiveFolder = 3 };

struct Slot {
    std::atomic<int> state{Free};
    char path[MaxPath];
};

// Zero-initialised storage with static duration: nothing runs at start-up and
// nothing is destroyed at exit, so the handler never sees a dead table.
std::array<Slot, SlotCount>& Slots() {
    static std::array<Slot, SlotCount> slots;
    return slots;
}

// The files of one folder, then the folder, with system calls only: opendir and
// readdir may allocate, which a signal handler must not.
void RemoveFilesInHandler(const char* path) {
    const int fd = ::open(path, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        alignas(8) char buffer[4096];
        for (;;) {
            const long n = ::syscall(SYS_getdents64, fd, buffer, sizeof buffer);
            if (n <= 0) {
                break;
            }
            for (long at = 0; at < n;) {
                const auto* entry = reinterpret_cast<const struct dirent64*>(buffer + at);
                const char* name = entry->d_name;
                if (std::strcmp(name, ".") != 0 && std::strcmp(name, "..") != 0) {
                    ::unlinkat(fd, name, 0);
                }
                at += entry->d_reclen;
            }
        }
        ::close(fd);
    }
}

void RemoveFolderInHandler(const char* path) {
    // Another thread may still add a file between the passes (a driver's journal).
    for (int pass = 0; pass < 8; ++pass) {
        RemoveFilesInHandler(path);
        if (::rmdir(path) == 0 || errno == ENOENT) {
            return;
        }
    }
}

void RemoveAndDie(int sig) {
    for (Slot& slot : Slots()) {
        const int state = slot.state.load();
        if (state == ActiveFile) {
            ::unlink(slot.path);
        } else if (state == ActiveFolder) {
            RemoveFolderInHandler(slot.path);
        }
    }
    // Die of the same signal, so the parent sees how the process ended.
    std::signal(sig, SIG_DFL);
    std::raise(sig);
}

constexpr int CleanedSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGPIPE};

void InstallHandlers() {
    for (int sig : CleanedSignals) {
        struct sigaction current {};
        if (::sigaction(sig, nullptr, &current) != 0 || current.sa_handler != SIG_DFL) {
            continue;
        }
        struct sigaction ours {};
        ours.sa_handler = RemoveAndDie;
        sigemptyset(&ours.sa_mask);
        ::sigaction(sig, &ours, nullptr);
    }
}

void EnsureHandlers() {
    Slots(); // built before any handler can look at it
    static std::once_flag installed;
    std::call_once(installed, InstallHandlers);
}

int Register(const std::filesystem::path& path, SlotState kind) {
    auto& slots = Slots();
    EnsureHandlers();
    if (path.native().size() >= MaxPath) {
        return -1;
    }
    for (std::size_t i = 0; i < slots.size(); ++i) {
        int expected = Free;
        if (slots[i].state.compare_exchange_strong(expected, Busy)) {
            std::memcpy(slots[i].path, path.c_str(), path.native().size() + 1);
            slots[i].state.store(kind);
            return static_cast<int>(i);
        }
    }
    return -1;
}

} // namespace

int RegisterTemporaryFile(const std::filesystem::path& path) {
    return Register(path, ActiveFile);
}

int RegisterTemporaryFolder(const std::filesystem::path& path) {
    return Register(path, ActiveFolder);
}

void ReleaseTemporaryFile(int slot) {
    if (slot < 0 || static_cast<std::size_t>(slot) >= SlotCount) {
        return;
    }
    Slots()[static_cast<std::size_t>(slot)].state.store(Free);
}

SignalsHeld::SignalsHeld() {
    EnsureHandlers();
    sigset_t held;
    sigemptyset(&held);
    for (const int sig : CleanedSignals) {
        sigaddset(&held, sig);
    }
    ::pthread_sigmask(SIG_BLOCK, &held, &previous_);
}

SignalsHeld::~SignalsHeld() {
    ::pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
}

TemporaryFolder::TemporaryFolder(const std::filesystem::path& prefix) {
    const SignalsHeld held; // made and registered as one step
    std::string pattern = prefix.string() + "XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) {
        const int err = errno;
        const std::filesystem::path parent =
            prefix.parent_path().empty() ? "." : prefix.parent_path();
        throw FileError("Cannot create a folder in \"" + parent.string() + "\". " +
                        SystemReasonText(err));
    }
    path_ = pattern;
    slot_ = RegisterTemporaryFolder(path_);
}

TemporaryFolder::~TemporaryFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
    ReleaseTemporaryFile(slot_);
}

TemporaryFile::TemporaryFile(const std::filesystem::path& prefix) {
    const SignalsHeld held; // made and registered as one step
    std::string pattern = prefix.string() + "XXXXXX";
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) {
        const int err = errno;
        throw FileError(CannotCreateText(pattern, err));
    }
    ::close(fd);
    path_ = pattern;
    slot_ = RegisterTemporaryFile(path_);
}

TemporaryFile::~TemporaryFile() {
    ::unlink(path_.c_str());
    ReleaseTemporaryFile(slot_);
}

} // namespace sw

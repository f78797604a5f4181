#include "exchange/TemporaryFiles.h"

#include <array>
#include <atomic>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <unistd.h>

namespace sw {

namespace {

constexpr std::size_t SlotCount = 64;
constexpr std::size_t MaxPath = 4096;

enum SlotState : int { Free = 0, Busy = 1, Active = 2 };

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

void RemoveAndDie(int sig) {
    for (Slot& slot : Slots()) {
        if (slot.state.load() == Active) {
            ::unlink(slot.path);
        }
    }
    // Die of the same signal, so the parent sees how the process ended.
    std::signal(sig, SIG_DFL);
    std::raise(sig);
}

void InstallHandlers() {
    for (int sig : {SIGINT, SIGTERM, SIGHUP}) {
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

} // namespace

int RegisterTemporaryFile(const std::filesystem::path& path) {
    auto& slots = Slots(); // built before any handler can look at it
    static std::once_flag installed;
    std::call_once(installed, InstallHandlers);
    if (path.native().size() >= MaxPath) {
        return -1;
    }
    for (std::size_t i = 0; i < slots.size(); ++i) {
        int expected = Free;
        if (slots[i].state.compare_exchange_strong(expected, Busy)) {
            std::memcpy(slots[i].path, path.c_str(), path.native().size() + 1);
            slots[i].state.store(Active);
            return static_cast<int>(i);
        }
    }
    return -1;
}

void ReleaseTemporaryFile(int slot) {
    if (slot < 0 || static_cast<std::size_t>(slot) >= SlotCount) {
        return;
    }
    Slots()[static_cast<std::size_t>(slot)].state.store(Free);
}

} // namespace sw

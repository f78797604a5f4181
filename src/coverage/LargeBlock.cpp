#include "coverage/LargeBlock.h"

#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace sw {

namespace {

constexpr std::uintptr_t HugePage = std::uintptr_t{2} << 20;
constexpr std::size_t WorthAdvising = std::size_t{4} << 20;
constexpr std::size_t WorthMapping = std::size_t{256} << 10;

std::size_t RoundedToHugePages(std::size_t bytes) {
    return (bytes + HugePage - 1) & ~(HugePage - 1);
}

} // namespace

void AdviseLargeBlock(void* data, std::size_t bytes) noexcept {
#if defined(MADV_HUGEPAGE)
    if (data == nullptr || bytes < WorthAdvising) {
        return;
    }
    // Only whole huge pages inside the block: the advice applies to the pages
    // of the range, and a neighbouring allocation must not be touched.
    const auto start = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t first = (start + HugePage - 1) & ~(HugePage - 1);
    const std::uintptr_t last = (start + bytes) & ~(HugePage - 1);
    if (last > first) {
        // A refusal (an old kernel, huge pages switched off) only costs speed.
        (void)madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
    }
#else
    (void)data;
    (void)bytes;
#endif
}

void* AllocateLargeBlock(std::size_t bytes) {
#if defined(MADV_HUGEPAGE)
    if (bytes >= WorthMapping && bytes <= SIZE_MAX / 2) {
        // Mapped one huge page too long, then trimmed to start on a boundary.
        const std::size_t size = RoundedToHugePages(bytes);
        void* mapped = mmap(nullptr, size + HugePage, PROT_READ | PROT_WRITE,
                            MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (mapped == MAP_FAILED) {
            throw std::bad_alloc();
        }
        const auto start = reinterpret_cast<std::uintptr_t>(mapped);
        const std::uintptr_t aligned = (start + HugePage - 1) & ~(HugePage - 1);
        if (aligned > start) {
            (void)munmap(mapped, aligned - start);
        }
        const std::uintptr_t tail = aligned + size;
        if (start + size + HugePage > tail) {
            (void)munmap(reinterpret_cast<void*>(tail), start + size + HugePage - tail);
        }
        (void)madvise(reinterpret_cast<void*>(aligned), size, MADV_HUGEPAGE);
        return reinterpret_cast<void*>(aligned);
    }
#endif
    return ::operator new(bytes);
}

void FreeLargeBlock(void* data, std::size_t bytes) noexcept {
    if (data == nullptr) {
        return;
    }
#if defined(MADV_HUGEPAGE)
    if (bytes >= WorthMapping && bytes <= SIZE_MAX / 2) {
        (void)munmap(data, RoundedToHugePages(bytes));
        return;
    }
#endif
    ::operator delete(data);
}

} // namespace sw

#include "cli/HeapPages.h"

#include <cstdint>
#include <cstdlib>

#if defined(__linux__) && defined(__GLIBC__)
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace sw::cli {

void UseHugePagesForHeap() noexcept {
#if defined(__linux__) && defined(__GLIBC__) && defined(MADV_HUGEPAGE)
    constexpr std::size_t Pad = std::size_t{64} << 20;
    constexpr std::uintptr_t HugePage = std::uintptr_t{2} << 20;
    // Blocks up to tens of megabytes come from the heap rather than from a
    // mapping each, and the heap grows by a large pad that is kept when freed.
    (void)mallopt(M_MMAP_THRESHOLD, 32 << 20);
    (void)mallopt(M_TOP_PAD, static_cast<int>(Pad));
    (void)mallopt(M_TRIM_THRESHOLD, static_cast<int>(2 * Pad));
    // One allocation larger than what is left at the top grows the heap now;
    // the whole huge pages between it and the new end are then advised. Only
    // untouched memory is advised, so nothing in use moves.
    void* probe = std::malloc(std::size_t{1} << 20);
    if (probe == nullptr) {
        return;
    }
    const auto from = reinterpret_cast<std::uintptr_t>(probe);
    const auto end = reinterpret_cast<std::uintptr_t>(sbrk(0));
    const std::uintptr_t first = (from + HugePage - 1) & ~(HugePage - 1);
    const std::uintptr_t last = end & ~(HugePage - 1);
    if (end != static_cast<std::uintptr_t>(-1) && last > first && from < end) {
        (void)madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
    }
    std::free(probe);
#endif
}

} // namespace sw::cli

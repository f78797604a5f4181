#include "coverage/LargeBlock.h"

#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace sw {

namespace {

constexpr std::uintptr_t HugePage = std::uintptr_t{2} << 20;
constexpr std::size_t WorthAdvising = std::size_t{4} << 20;

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

} // namespace sw

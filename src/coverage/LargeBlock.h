#pragma once

// Memory of a grid of millions of cells is touched once, page by page, right after
// it is allocated: with 4 KiB pages that first touch (one page fault per 128
// records) costs more than numbering the cells. Asking the system to back such a
// block with huge pages removes nearly all of those faults.

#include <cstddef>

namespace sw {

// Advises the system that the block starting at `data`, `bytes` long, not yet
// touched, is worth backing with huge pages. Blocks under a few megabytes and
// systems without the advice are left alone; nothing changes but the speed.
void AdviseLargeBlock(void* data, std::size_t bytes) noexcept;

} // namespace sw

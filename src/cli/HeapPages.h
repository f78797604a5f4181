#pragma once

// A command that reads a large input builds hundreds of thousands of small
// objects (a text cell per coordinate), each on heap memory touched for the
// first time: with 4 KiB pages that is a page fault per few dozen objects, which
// on a virtual machine costs more than parsing them.

namespace sw::cli {

// Lets the heap grow in large steps backed by huge pages, for the rest of the
// process. Nothing changes but the speed; where the system lacks the means it
// does nothing. Call once, before the large input is read.
void UseHugePagesForHeap() noexcept;

} // namespace sw::cli

#pragma once

// Memory of a grid of millions of cells is touched once, page by page, right after
// it is allocated: with 4 KiB pages that first touch (one page fault per 128
// records) costs more than numbering the cells. Asking the system to back such a
// block with huge pages removes nearly all of those faults.

#include <cstddef>
#include <new>
#include <type_traits>
#include <utility>

namespace sw {

// Advises the system that the block starting at `data`, `bytes` long, not yet
// touched, is worth backing with huge pages. Blocks under a few megabytes and
// systems without the advice are left alone; nothing changes but the speed.
void AdviseLargeBlock(void* data, std::size_t bytes) noexcept;

// A block of `bytes` for data written once and soon: from a quarter of a
// megabyte up it is mapped on huge-page boundaries and advised as above, so a
// first touch costs one fault per 2 MiB; smaller blocks come from operator new.
// The contents are unspecified. Throws std::bad_alloc. Free with FreeLargeBlock
// and the same size.
void* AllocateLargeBlock(std::size_t bytes);
void FreeLargeBlock(void* data, std::size_t bytes) noexcept;

// An allocator for containers of such data.
template <typename T> struct LargeAllocator {
    using value_type = T;
    LargeAllocator() = default;
    template <typename U> LargeAllocator(const LargeAllocator<U>&) noexcept {} // NOLINT
    T* allocate(std::size_t n) {
        if (n > static_cast<std::size_t>(-1) / sizeof(T)) {
            throw std::bad_array_new_length();
        }
        return static_cast<T*>(AllocateLargeBlock(n * sizeof(T)));
    }
    void deallocate(T* p, std::size_t n) noexcept { FreeLargeBlock(p, n * sizeof(T)); }
    friend bool operator==(const LargeAllocator&, const LargeAllocator&) { return true; }
};

// `count` values of a trivial type in such a block, left uninitialised: only
// the pages written are ever touched.
template <typename T> class LargeArray {
    static_assert(std::is_trivially_copyable_v<T>);

public:
    LargeArray() = default;
    explicit LargeArray(std::size_t count)
        : data_(LargeAllocator<T>().allocate(count)), size_(count) {}
    LargeArray(LargeArray&& other) noexcept
        : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)) {}
    LargeArray& operator=(LargeArray&& other) noexcept {
        std::swap(data_, other.data_);
        std::swap(size_, other.size_);
        return *this;
    }
    LargeArray(const LargeArray&) = delete;
    LargeArray& operator=(const LargeArray&) = delete;
    ~LargeArray() { LargeAllocator<T>().deallocate(data_, size_); }

    T* data() { return data_; }
    const T* data() const { return data_; }
    std::size_t size() const { return size_; }
    T& operator[](std::size_t i) { return data_[i]; }
    const T& operator[](std::size_t i) const { return data_[i]; }

private:
    T* data_ = nullptr;
    std::size_t size_ = 0;
};

} // namespace sw

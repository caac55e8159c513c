#pragma once

#include <cstddef>
#include <new>

namespace kobrix {

// Asks the kernel to back a large buffer with huge pages where it can: a
// catalog of tens of megabytes then costs a few dozen page faults instead of
// tens of thousands, which on a virtual machine is most of a load's time.
// Only advice: contents and behaviour stay the same.
void adviseHugePages(const void *data, std::size_t size);

// A block for a large table that is written all over: where huge pages are
// to be had, it starts at a huge page's boundary and fills whole huge pages,
// all of them advised (adviseHugePages() can only advise the whole huge pages
// inside a block, leaving up to two of them to small pages). Throws
// std::bad_alloc when memory runs out. Free it with freeLarge().
void *allocateLarge(std::size_t bytes);
void freeLarge(void *block, std::size_t bytes);

// An allocator for standard containers of large tables: blocks of a huge
// page and more through allocateLarge(), smaller ones as usual.
template <typename T>
struct LargeTableAllocator
{
    using value_type = T;
    static constexpr std::size_t kLarge = std::size_t(2) << 20;

    LargeTableAllocator() = default;
    template <typename U>
    LargeTableAllocator(const LargeTableAllocator<U> &) {}

    T *allocate(std::size_t n)
    {
        const std::size_t bytes = n * sizeof(T);
        return static_cast<T *>(bytes >= kLarge ? allocateLarge(bytes) : ::operator new(bytes));
    }
    void deallocate(T *block, std::size_t n)
    {
        const std::size_t bytes = n * sizeof(T);
        if (bytes >= kLarge)
            freeLarge(block, bytes);
        else
            ::operator delete(block);
    }
    template <typename U>
    bool operator==(const LargeTableAllocator<U> &) const { return true; }
};

} // namespace kobrix

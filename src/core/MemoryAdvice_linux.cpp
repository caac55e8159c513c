// Memory advice on Linux: transparent huge pages through madvise.

#include "core/MemoryAdvice.h"

#include <cstdint>
#include <cstdlib>
#include <new>
#include <sys/mman.h>

namespace kobrix {

void adviseHugePages([[maybe_unused]] const void *data, [[maybe_unused]] std::size_t size)
{
#if defined(MADV_HUGEPAGE)
    constexpr std::uintptr_t kHugePage = std::uintptr_t(2) << 20;
    if (size < kHugePage)
        return;
    const auto start = reinterpret_cast<std::uintptr_t>(data);
    const auto begin = (start + kHugePage - 1) & ~(kHugePage - 1);
    const auto end = (start + size) & ~(kHugePage - 1);
    if (end > begin)
        (void)::madvise(reinterpret_cast<void *>(begin), end - begin, MADV_HUGEPAGE);
#endif
}

void *allocateLarge(std::size_t bytes)
{
    constexpr std::size_t kHugePage = std::size_t(2) << 20;
    const std::size_t rounded = (bytes + kHugePage - 1) & ~(kHugePage - 1);
    void *block = std::aligned_alloc(kHugePage, rounded);
    if (!block)
        throw std::bad_alloc();
    adviseHugePages(block, rounded);
    return block;
}

void freeLarge(void *block, std::size_t)
{
    std::free(block);
}

} // namespace kobrix

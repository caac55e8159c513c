// Memory advice on systems other than Linux: none is given. (Large pages on
// Windows need a privilege that ordinary users lack.)

#include "core/MemoryAdvice.h"

namespace kobrix {

void adviseHugePages(const void *, std::size_t) {}

void *allocateLarge(std::size_t bytes)
{
    return ::operator new(bytes);
}

void freeLarge(void *block, std::size_t)
{
    ::operator delete(block);
}

} // namespace kobrix

#pragma once

#include <cstddef>

namespace kobrix {

// Asks the kernel to back a large buffer with huge pages where it can: a
// catalog of tens of megabytes then costs a few dozen page faults instead of
// tens of thousands, which on a virtual machine is most of a load's time.
// Only advice: contents and behaviour stay the same.
void adviseHugePages(const void *data, std::size_t size);

} // namespace kobrix

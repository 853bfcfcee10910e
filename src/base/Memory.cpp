#include "base/Memory.h"

#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace memory {

#if defined(__linux__)

void AdviseLargePages(void* data, std::size_t bytes) {
    // Only whole large pages can be backed by one; advising just those also leaves the
    // mappings of smaller blocks unsplit.
    constexpr std::uintptr_t kLargePage = std::uintptr_t{2} << 20;
    const auto start = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t begin = (start + kLargePage - 1) & ~(kLargePage - 1);
    const std::uintptr_t end = (start + bytes) & ~(kLargePage - 1);
    if (begin < end)
        madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);  // a hint: failure changes nothing
}

#else

void AdviseLargePages(void*, std::size_t) {}

#endif

}  // namespace memory

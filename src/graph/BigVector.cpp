#include "BigVector.h"

#include <sys/mman.h>

#include <cstdint>

void adviseHugePages(void* p, std::size_t bytes) {
#if defined(MADV_HUGEPAGE)
    constexpr std::uintptr_t kHuge = std::uintptr_t{2} << 20;
    if (bytes < 2 * kHuge) return;
    const auto begin = (reinterpret_cast<std::uintptr_t>(p) + kHuge - 1) & ~(kHuge - 1);
    const auto end = (reinterpret_cast<std::uintptr_t>(p) + bytes) & ~(kHuge - 1);
    // The range is rounded inwards to whole huge pages, which takes integer arithmetic.
    if (end <= begin) return;
    void* first = reinterpret_cast<void*>(begin);  // NOLINT(performance-no-int-to-ptr)
    ::madvise(first, end - begin, MADV_HUGEPAGE);
#else
    (void)p;  // a system without huge pages on request
    (void)bytes;
#endif
}

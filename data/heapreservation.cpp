#include "data/heapreservation.h"

#include <cstdlib>

#if defined(__GLIBC__) && defined(__linux__)
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

CHeapReservation::CHeapReservation(std::size_t bytes)
{
    constexpr std::size_t kWorthIt = 32u << 20;
    constexpr std::size_t kMax = 1u << 30;
    constexpr int kDefaultTopPad = 128 * 1024;
    constexpr std::uintptr_t kHugePage = 2u << 20;
    if (bytes < kWorthIt)
        return;
    // The first allocation that does not fit the heap's free top extends
    // the heap by the top pad as well. The free top holds at most the trim
    // threshold, so a few allocations just under the mmap threshold get
    // there.
    constexpr std::size_t kAnchor = 120 * 1024;
    const void *const start = sbrk(0);
    mallopt(M_TOP_PAD, int(bytes < kMax ? bytes : kMax));
    for (void *&anchor : m_anchors) {
        anchor = std::malloc(kAnchor);
        if (!anchor || sbrk(0) != start)
            break;
    }
    mallopt(M_TOP_PAD, kDefaultTopPad);
    const auto from = (reinterpret_cast<std::uintptr_t>(start) + kHugePage - 1) & ~(kHugePage - 1);
    const auto to = reinterpret_cast<std::uintptr_t>(sbrk(0)) & ~(kHugePage - 1);
    if (to > from)
        madvise(reinterpret_cast<void *>(from), to - from, MADV_HUGEPAGE);
}

#else

CHeapReservation::CHeapReservation(std::size_t) {}

#endif

CHeapReservation::~CHeapReservation()
{
    for (void *anchor : m_anchors)
        std::free(anchor);
}

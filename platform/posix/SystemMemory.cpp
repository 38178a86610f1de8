// Large pages for the arrays the engine fills from files (see LargeArray.h). Where the
// system gives transparent large pages only on request ("madvise" in
// /sys/kernel/mm/transparent_hugepage/enabled, Debian's default), the request is this.
#include "orvex/platform/LargeArray.h"

#include <cstdint>
#include <sys/mman.h>

namespace {

constexpr std::uintptr_t kLargePage = std::uintptr_t{2} << 20;

} // namespace

void AdviseLargeArray(void* start, std::size_t bytes)
{
#ifdef MADV_HUGEPAGE
    // Only whole large pages inside the block: advice reaches whole mappings' pages, and the
    // allocator's own bookkeeping around the block must stay as it is.
    const auto first = (reinterpret_cast<std::uintptr_t>(start) + kLargePage - 1) & ~(kLargePage - 1);
    const auto end = (reinterpret_cast<std::uintptr_t>(start) + bytes) & ~(kLargePage - 1);
    if (end > first)
        madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE); // advice: failure changes nothing
#else
    (void)start;
    (void)bytes;
#endif
}

// Large arrays get no advice on Windows: large pages there are allocated as such
// (VirtualAlloc with MEM_LARGE_PAGES) and only for accounts holding the lock-pages
// privilege, which a viewer's user does not have.
#include "orvex/platform/LargeArray.h"

void AdviseLargeArray(void*, std::size_t) {}

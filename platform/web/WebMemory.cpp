// Large arrays get no advice on the web: WebAssembly has one linear memory, grown as a whole.
#include "orvex/platform/LargeArray.h"

void AdviseLargeArray(void*, std::size_t) {}

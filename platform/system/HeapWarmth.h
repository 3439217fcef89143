#pragma once

#include <cstddef>

namespace platform {

// Maps `bytes` of free heap memory in now, while nothing waits, and keeps
// that much free memory at the heap's end from then on instead of giving
// it back: a later burst of allocations (a large document opened) takes
// pages already there instead of faulting each one in as it goes.
void KeepHeapWarm(std::size_t bytes);

// Gives the whole free pages inside the heap back to the system, but for the
// warm end KeepHeapWarm keeps: after a large document was built, the memory
// its temporaries took is no longer kept. The next allocations there map
// their pages in again.
void ReleaseFreeHeap();

} // namespace platform

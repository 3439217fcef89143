#include "platform/system/MappedPages.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

namespace platform {

namespace {

uintptr_t PageSize()
{
    return static_cast<uintptr_t>(sysconf(_SC_PAGESIZE));
}

} // namespace

bool ReleaseReadOnlyPages(const void* begin, const void* end)
{
    const uintptr_t page = PageSize();
    // Only whole pages: their neighbours may hold data still in use.
    const uintptr_t first = (reinterpret_cast<uintptr_t>(begin) + page - 1) & ~(page - 1);
    const uintptr_t last = reinterpret_cast<uintptr_t>(end) & ~(page - 1);
    if (begin == nullptr || last <= first)
        return true;
    return madvise(reinterpret_cast<void*>(first), last - first, MADV_DONTNEED) == 0;
}

bool ReleaseReadOnlyMapping(const void* start, std::size_t length)
{
    const uintptr_t page = PageSize();
    const auto first = reinterpret_cast<uintptr_t>(start);
    return ReleaseReadOnlyPages(start, reinterpret_cast<const void*>((first + length + page - 1) & ~(page - 1)));
}

} // namespace platform

#pragma once

#include <cstddef>

namespace platform {

// Lets go of the pages of read-only data mapped from the program's own file
// that lie wholly within [begin, end): they leave the process's memory and
// are read back from the file (or the system's file cache) if touched again,
// unchanged. Returns whether the system took the request.
bool ReleaseReadOnlyPages(const void* begin, const void* end);
// The same for a whole read-only mapping of `length` bytes from `start` (as
// mmap gave it), its last page too.
bool ReleaseReadOnlyMapping(const void* start, std::size_t length);

} // namespace platform

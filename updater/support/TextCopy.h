#pragma once

#include <cstddef>
#include <string_view>

namespace NSBootwren {

// Copies a text into a buffer of `size` bytes, writing LF after every CR,
// until the source's NUL or end or until the buffer is full; the copy is
// always NUL-terminated (a size of 0 or less writes nothing). Returns the
// length of the copy.
size_t CopyTextExpandingCR(std::string_view source, char* buffer, std::ptrdiff_t size);

} // namespace NSBootwren

#pragma once

#include <cstddef>
#include <cstdint>

namespace NSHarrowen {
class CFileSpec;
} // namespace NSHarrowen

namespace NSBootwren {

// The size of a file; throws XFileNotFound when it cannot be opened.
uint64_t GetFileSize(const NSHarrowen::CFileSpec& file);
// Reads `size` bytes from the start of a file; throws XFileNotFound or XRead.
void ReadWholeFile(const NSHarrowen::CFileSpec& file, uint8_t* buffer, size_t size);

} // namespace NSBootwren

#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace testsupport {

// Little-endian words into a byte buffer.
void Put16(std::vector<uint8_t>& bytes, size_t at, uint32_t value);
void Put32(std::vector<uint8_t>& bytes, size_t at, uint32_t value);

// A 24-bit bottom-up BMP whose pixel (x, y) has blue x, green y, red 0x80.
std::vector<uint8_t> MakeBMP(int width, int height);

} // namespace testsupport

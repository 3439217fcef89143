#pragma once

// A file on disk holding the fuzz input, for the readers that open files
// themselves. One per process, rewritten for every input.

#include <cstdint>
#include <span>
#include <string>

namespace fuzzinput {

// Writes the bytes to a file named `name` in a folder of this process and
// returns its path.
std::string WriteInputFile(const std::string& name, std::span<const uint8_t> bytes);

} // namespace fuzzinput

#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// The DSP resource needs of one module type, or the running sum of a voice
// area, as ten counters. Sums wrap in each counter's own width: c2 (the zero
// page) is a byte, the others are 16-bit words.
struct ModuleLoadCounters {
    std::array<uint16_t, 10> c{};

    // From a type's stored record: word 2 holds the zero-page need in its
    // low byte.
    static ModuleLoadCounters FromWords(const std::array<uint16_t, 10>& words);

    void Add(const ModuleLoadCounters& other);
    void Subtract(const ModuleLoadCounters& other);
};

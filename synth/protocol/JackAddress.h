#pragma once

#include <cstdint>

// One jack of a module: its module index, its jack index (counted apart
// among inputs and among outputs) and its direction (0 input, else output).
struct JackAddress {
    uint8_t module = 0;
    uint8_t jack = 0;
    uint8_t direction = 0;

    bool IsOutput() const { return direction != 0; }
    friend bool operator==(const JackAddress&, const JackAddress&) = default;
};

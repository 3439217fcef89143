#pragma once

#include <cstddef>
#include <cstdint>

namespace platform {

// Bytes of a short MIDI message by its status byte; 0 for what is not one
// (a data byte, or the start or end of a system exclusive message).
inline size_t ShortMessageLength(uint8_t status)
{
    if (status < 0x80 || status == 0xF0 || status == 0xF7)
        return 0;
    if (status < 0xC0 || (status >= 0xE0 && status < 0xF0) || status == 0xF2)
        return 3;
    if (status < 0xE0 || status == 0xF1 || status == 0xF3)
        return 2;
    return 1;
}

} // namespace platform

#pragma once

#include "synth/protocol/JackAddress.h"

#include <cstdint>

// The two ends of a drawn cable: where they lie in the area's picture and
// which jacks they are. Keys match on the jacks alone, in either order.
struct CableKey {
    int16_t x1 = 0;
    int16_t y1 = 0;
    int16_t x2 = 0;
    int16_t y2 = 0;
    JackAddress from;
    JackAddress to;

    bool Matches(const CableKey& other) const
    {
        return (from == other.from && to == other.to) || (from == other.to && to == other.from);
    }
    bool IsPoint() const { return x1 == x2 && y1 == y2; }
};

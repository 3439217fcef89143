#pragma once

#include "framework/drawing/Color.h"

#include <cstdint>

// The tab views give their greys as one value for all three channels.
inline NSHarrowen::CColor TabGrey(uint16_t value)
{
    return NSHarrowen::CColor(value, value, value);
}

#pragma once

#include <compare>
#include <cstdint>

// One parameter of a patch: its location (0 the common voice area, 1 the
// poly voice area, 2 the toolbar's morph container, whose module 1 holds the
// four morph group knobs as parameters 0-3), its module index (0 = none) and
// its parameter index. Ordered by location, then module, then parameter.
struct ParamAddress {
    int32_t location = 2;
    uint8_t module = 1;
    uint8_t param = 0;

    friend bool operator==(const ParamAddress&, const ParamAddress&) = default;
    friend auto operator<=>(const ParamAddress&, const ParamAddress&) = default;
};

#pragma once

#include <cstdint>

// The four ways a straight piece is rasterised, named after the clock
// hours its ends point to, and the direction it runs: 1 right, 2 left,
// 3 down, 4 up. Shallow pieces (also at 45 degrees) step along x.
enum class SegmentKind : uint8_t { Kind4And10, Kind2And8, Kind5And11, Kind1And7 };

struct SegmentClass {
    SegmentKind kind;
    uint8_t direction;

    bool IsSteep() const { return kind == SegmentKind::Kind5And11 || kind == SegmentKind::Kind1And7; }
    friend bool operator==(const SegmentClass&, const SegmentClass&) = default;
};

SegmentClass ClassifySegment(int32_t x1, int32_t y1, int32_t x2, int32_t y2);

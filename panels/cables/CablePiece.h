#pragma once

#include "panels/cables/Render3DPie.h"

#include <cstdint>
#include <optional>

// One straight piece of a cable as its chain keeps it: the ends in chain
// order, and for a 3D piece the start of its shading ramp and the corner at
// its first end. The colour and the highlight are the chain's, and what else
// the drawing needs follows from the ends when drawn: a full patch keeps
// thousands of pieces.
struct CablePiece {
    int16_t x1 = 0;
    int16_t y1 = 0;
    int16_t x2 = 0;
    int16_t y2 = 0;
    // The ramp's index at the run's upper edge (3D pieces).
    int16_t rampStart = 0;
    // A PieKind, or kNoCorner.
    uint8_t corner = kNoCorner;

    static constexpr uint8_t kNoCorner = 0xFF;

    std::optional<PieKind> GetCorner() const
    {
        return corner == kNoCorner ? std::nullopt : std::optional<PieKind>(static_cast<PieKind>(corner));
    }
    void Move(int32_t dx, int32_t dy)
    {
        x1 = static_cast<int16_t>(x1 + dx);
        y1 = static_cast<int16_t>(y1 + dy);
        x2 = static_cast<int16_t>(x2 + dx);
        y2 = static_cast<int16_t>(y2 + dy);
    }
};

static_assert(sizeof(CablePiece) == 12);

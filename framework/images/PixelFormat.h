#pragma once

#include "framework/images/Palette.h"
#include "platform/graphics/Font.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>

namespace NSHarrowen {

// The depth pictures are made for (8, 16, 24 or 32 bits per pixel) and, at
// depth 8, the palette with its colour table and the three colour-map rows
// (blue, green, red) the JPEG quantiser maps onto.
class CPixelFormat {
public:
    using ColorMapRow = std::array<uint8_t, CPalette::kSize>;

    // At depth 8 the standard palette.
    explicit CPixelFormat(int depth);
    CPixelFormat(int depth, const CPalette& palette);
    // The screen's depth; at depth 8 the palette the screen shows.
    static std::unique_ptr<CPixelFormat> CreateForScreen();

    uint8_t GetDepth() const { return depth_; }
    const CPalette* GetPalette() const { return palette_ ? &*palette_ : nullptr; }
    // Rows in the order blue, green, red.
    const std::array<ColorMapRow, 3>& GetColorMap() const { return colorMap_; }

private:
    uint8_t depth_;
    std::optional<CPalette> palette_;
    platform::ColorTable table_{};
    std::array<ColorMapRow, 3> colorMap_{};
};

} // namespace NSHarrowen

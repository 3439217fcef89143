#pragma once

#include "framework/drawing/Color.h"
#include "platform/graphics/Surface.h"

#include <array>

namespace NSHarrowen {

// A 256-entry palette laid out like the standard one: entries 0 to 9 and 246
// to 255 are the 20 standard colours, the 236 between come from a table
// (black unless given).
class CPalette {
public:
    static constexpr int kSize = 256;
    static constexpr int kMiddleCount = 236;

    CPalette();
    explicit CPalette(const std::array<CColor, kMiddleCount>& middle);

    std::array<CColor, kSize> GetColors() const;
    const platform::ColorTable& GetTable() const { return table_; }

private:
    platform::ColorTable table_{};
};

} // namespace NSHarrowen

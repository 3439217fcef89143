#include "framework/images/Palette.h"

#include "framework/drawing/GdiState.h"

namespace NSHarrowen {

CPalette::CPalette() : CPalette(std::array<CColor, kMiddleCount>{}) { }

CPalette::CPalette(const std::array<CColor, kMiddleCount>& middle)
{
    for (int i = 0; i < 10; ++i) {
        table_[static_cast<size_t>(i)] = ToRgb(GetStandardColor(i));
        table_[static_cast<size_t>(246 + i)] = ToRgb(GetStandardColor(10 + i));
    }
    for (int i = 0; i < kMiddleCount; ++i)
        table_[static_cast<size_t>(10 + i)] = ToRgb(middle[static_cast<size_t>(i)]);
}

std::array<CColor, CPalette::kSize> CPalette::GetColors() const
{
    std::array<CColor, kSize> colors;
    for (size_t i = 0; i < colors.size(); ++i) {
        const platform::Rgb c = table_[i];
        colors[i] =
            CColor(static_cast<uint16_t>(platform::RedOf(c) * 256), static_cast<uint16_t>(platform::GreenOf(c) * 256),
                   static_cast<uint16_t>(platform::BlueOf(c) * 256));
    }
    return colors;
}

} // namespace NSHarrowen

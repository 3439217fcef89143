#include "framework/drawing/Color.h"

#include "framework/base/Exceptions.h"
#include "platform/graphics/SystemColors.h"

#include <array>

namespace NSHarrowen {

namespace {

constexpr std::array<CColor, kStandardColorCount> kStandardColors{{
    {0x0000, 0x0000, 0x0000}, {0x8000, 0x0000, 0x0000}, {0x0000, 0x8000, 0x0000}, {0x8000, 0x8000, 0x0000},
    {0x0000, 0x0000, 0x8000}, {0x8000, 0x0000, 0x8000}, {0x0000, 0x8000, 0x8000}, {0xC000, 0xC000, 0xC000},
    {0xC000, 0xDC00, 0xC000}, {0xA600, 0xCA00, 0xF000}, {0xFF00, 0xFB00, 0xF000}, {0xA000, 0xA000, 0xA400},
    {0x8000, 0x8000, 0x8000}, {0xFF00, 0x0000, 0x0000}, {0x0000, 0xFF00, 0x0000}, {0xFF00, 0xFF00, 0x0000},
    {0x0000, 0x0000, 0xFF00}, {0xFF00, 0x0000, 0xFF00}, {0x0000, 0xFF00, 0xFF00}, {0xFF00, 0xFF00, 0xFF00},
}};

CColor FromSystem(platform::SystemColor which)
{
    return CColor::FromCOLORREF(platform::GetSystemColor(which));
}

} // namespace

CColor CColor::FromCOLORREF(uint32_t value)
{
    return CColor(static_cast<uint16_t>((value & 0xFF) << 8), static_cast<uint16_t>(value & 0xFF00),
                  static_cast<uint16_t>((value >> 8) & 0xFF00));
}

uint32_t CColor::ToCOLORREF() const
{
    return static_cast<uint32_t>(red >> 8) | (static_cast<uint32_t>(green >> 8) << 8) |
        (static_cast<uint32_t>(blue >> 8) << 16);
}

uint32_t CColor::ToPaletteRGB() const
{
    return 0x02000000u | ToCOLORREF();
}

CColor CColor::FromButtonHighlight()
{
    return FromSystem(platform::SystemColor::ButtonHighlight);
}
CColor CColor::FromButtonFace()
{
    return FromSystem(platform::SystemColor::ButtonFace);
}
CColor CColor::FromButtonShadow()
{
    return FromSystem(platform::SystemColor::ButtonShadow);
}
CColor CColor::FromHighlight()
{
    return FromSystem(platform::SystemColor::Highlight);
}
CColor CColor::FromHighlightText()
{
    return FromSystem(platform::SystemColor::HighlightText);
}
CColor CColor::FromButtonText()
{
    return FromSystem(platform::SystemColor::ButtonText);
}
CColor CColor::FromWindowText()
{
    return FromSystem(platform::SystemColor::WindowText);
}

const CColor& GetStandardColor(int index)
{
    if (index < 0 || index >= kStandardColorCount)
        throw XInternalError();
    return kStandardColors[static_cast<size_t>(index)];
}

} // namespace NSHarrowen

#include "platform/graphics/SystemColors.h"

namespace platform {

namespace {
constexpr uint32_t Rgb(uint32_t r, uint32_t g, uint32_t b)
{
    return r | (g << 8) | (b << 16);
}
} // namespace

uint32_t GetSystemColor(SystemColor which)
{
    switch (which) {
    case SystemColor::Highlight:
        return Rgb(0x00, 0x00, 0x80);
    case SystemColor::HighlightText:
        return Rgb(0xFF, 0xFF, 0xFF);
    case SystemColor::ButtonFace:
        return Rgb(0xC0, 0xC0, 0xC0);
    case SystemColor::ButtonShadow:
        return Rgb(0x80, 0x80, 0x80);
    case SystemColor::ButtonText:
        return Rgb(0x00, 0x00, 0x00);
    case SystemColor::ButtonHighlight:
        return Rgb(0xFF, 0xFF, 0xFF);
    case SystemColor::WindowText:
        return Rgb(0x00, 0x00, 0x00);
    case SystemColor::Window:
        return Rgb(0xFF, 0xFF, 0xFF);
    }
    return 0;
}

} // namespace platform

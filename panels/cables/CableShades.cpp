#include "panels/cables/CableShades.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace cableshades {
namespace {

struct Rgb16 {
    uint16_t red;
    uint16_t green;
    uint16_t blue;
};

constexpr std::array<Rgb16, kColourCount> kColours = {{
    {0xFF00, 0x5A00, 0x5A00}, // Audio
    {0x6400, 0x6400, 0xFF00}, // Control
    {0xE600, 0xE600, 0x5000}, // Logic
    {0xB400, 0xB400, 0xB400}, // Slave
    {0x5000, 0xD200, 0x5000}, // User1
    {0xC800, 0x003C, 0xE600}, // User2
    {0xFF00, 0xFF00, 0xFF00},
}};
constexpr Rgb16 kHighlight = {0x9B00, 0xFF00, 0xFF00};

const Rgb16& ColourOf(uint32_t colour, bool highlighted)
{
    return highlighted ? kHighlight : kColours[colour];
}

uint32_t Pack(uint32_t red, uint32_t green, uint32_t blue)
{
    return blue | (green << 8) | (red << 16);
}

// A channel scaled by a brightness; the brightness is kept in 0..255 so that
// rounding can never give a negative byte.
uint32_t Scale(float brightness, uint16_t channel)
{
    const float clamped = std::clamp(brightness, 0.0F, 255.0F);
    const float fraction = static_cast<float>(channel) / 65535.0F;
    return static_cast<uint32_t>(std::clamp(std::floor(clamped * fraction), 0.0F, 255.0F));
}

uint32_t Shade(float brightness, const Rgb16& rgb)
{
    return Pack(Scale(brightness, rgb.red), Scale(brightness, rgb.green), Scale(brightness, rgb.blue));
}

// Index: colour * 2 + highlighted.
struct Tables {
    std::array<std::array<uint32_t, kRampLength>, kColourCount * 2> ramps{};
    std::array<std::array<uint32_t, 3>, kColourCount * 2> pies{};

    Tables()
    {
        for (uint32_t colour = 0; colour < kColourCount; ++colour) {
            for (int lit = 0; lit < 2; ++lit) {
                const Rgb16& rgb = ColourOf(colour, lit != 0);
                auto& ramp = ramps[colour * 2 + lit];
                for (int i = 0; i < kRampLength; ++i) {
                    ramp[i] = Shade(RampBrightness(i), rgb);
                }
                pies[colour * 2 + lit] = {Shade(160.0F, rgb), Shade(80.0F, rgb), Shade(50.0F, rgb)};
            }
        }
    }
};

const Tables& GetTables()
{
    static const Tables tables;
    return tables;
}

uint32_t TableIndex(uint32_t colour, bool highlighted)
{
    const uint32_t shown = (colour >= 1 && colour < kColourCount) ? colour : 0;
    return shown * 2 + (highlighted ? 1 : 0);
}

} // namespace

float RampBrightness(int i)
{
    if (i < 128) {
        return 0.609375F * static_cast<float>(i);
    }
    if (i < 256) {
        return 78.0F + 1.3828125F * static_cast<float>(i - 128);
    }
    if (i < 384) {
        return 255.0F - 1.3828125F * static_cast<float>(i - 256);
    }
    return 78.0F - 0.6141732283464567F * static_cast<float>(i - 384);
}

uint32_t ThinPixel(uint32_t colour, bool highlighted)
{
    if (!highlighted && colour >= kColourCount) {
        return 0;
    }
    const Rgb16& rgb = ColourOf(colour, highlighted);
    return Pack(rgb.red >> 8U, rgb.green >> 8U, rgb.blue >> 8U);
}

const uint32_t* Ramp(uint32_t colour, bool highlighted)
{
    return GetTables().ramps[TableIndex(colour, highlighted)].data();
}

const uint32_t* PieShades(uint32_t colour, bool highlighted)
{
    return GetTables().pies[TableIndex(colour, highlighted)].data();
}

} // namespace cableshades

#pragma once

#include "panels/ModuleTypeSpec.h"
#include "tools/picgen/Raster.h"

#include <array>
#include <cstdint>

namespace picgen {

// The panel grey: knob masks, LEDs and jacks assume it under every item.
constexpr uint32_t kPanelGrey = Rgb(0xBF, 0xBF, 0xBF);
// The raised button face, the background of the button symbols.
constexpr uint32_t kButtonFace = Rgb(0xA5, 0xA5, 0xA5);
constexpr uint32_t kButtonPressed = Rgb(0xC6, 0xCC, 0xDE);
constexpr uint32_t kGrey77 = Rgb(0x77, 0x77, 0x77);
constexpr uint32_t kLabelInk = Rgb(0x1E, 0x1E, 0x1E);
constexpr uint32_t kWhite = Rgb(0xFF, 0xFF, 0xFF);
constexpr uint32_t kBlack = Rgb(0, 0, 0);

// Cable colours by colour index 0 to 6 (audio, control, logic, slave, the two
// user colours, white), the high bytes of the cables' 16-bit channels.
constexpr std::array<uint32_t, 7> kCableColours = {
    Rgb(0xFF, 0x5A, 0x5A), Rgb(0x64, 0x64, 0xFF), Rgb(0xE6, 0xE6, 0x50), Rgb(0xB4, 0xB4, 0xB4),
    Rgb(0x50, 0xD2, 0x50), Rgb(0xC8, 0x00, 0xE6), Rgb(0xFF, 0xFF, 0xFF),
};

// A jack's kind names its cable colour: logic 2, audio 0, control 1, slave 3.
constexpr uint32_t JackColour(SignalKind kind)
{
    constexpr std::array<int, 4> kColourIndex = {2, 0, 1, 3};
    return kCableColours[kColourIndex[static_cast<size_t>(kind)]];
}

// Morph group colours, bright and dull, groups 0 to 3.
constexpr std::array<uint32_t, 4> kGroupBright = {Rgb(0xE4, 0x3D, 0x3D), Rgb(0x00, 0x98, 0x00), Rgb(0x41, 0x42, 0xD9),
                                                  Rgb(0xDF, 0xC9, 0x00)};
constexpr std::array<uint32_t, 4> kGroupDull = {Rgb(0xBA, 0x79, 0x79), Rgb(0x84, 0xB2, 0x84), Rgb(0x83, 0x84, 0xB4),
                                                Rgb(0xBC, 0xB2, 0x7E)};

// The accent of each toolbar tab on the faces of its types.
constexpr std::array<uint32_t, 10> kTabAccents = {
    Rgb(0x6E, 0x6E, 0x78), Rgb(0xC0, 0x50, 0x40), Rgb(0x40, 0x80, 0xC0), Rgb(0xD0, 0x90, 0x30), Rgb(0x40, 0xA0, 0x60),
    Rgb(0x90, 0x60, 0xB0), Rgb(0xB0, 0x40, 0x80), Rgb(0x40, 0xA0, 0xA0), Rgb(0x90, 0x90, 0x30), Rgb(0x60, 0x70, 0xD0),
};

} // namespace picgen

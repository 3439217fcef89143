#pragma once

#include <cstdint>

namespace NSHarrowen {

// A colour of three 16-bit channels; only the high byte of each reaches the
// screen.
struct CColor {
    uint16_t red = 0;
    uint16_t green = 0;
    uint16_t blue = 0;

    constexpr CColor() = default;
    constexpr CColor(uint16_t r, uint16_t g, uint16_t b) : red(r), green(g), blue(b) { }

    // From a system value 0x00BBGGRR: each 8-bit channel times 256.
    static CColor FromCOLORREF(uint32_t value);
    // Towards the system, palette-relative: 0x02BBGGRR from the high bytes.
    uint32_t ToPaletteRGB() const;
    // The plain 0x00BBGGRR value of the high bytes.
    uint32_t ToCOLORREF() const;

    static CColor FromButtonHighlight();
    static CColor FromButtonFace();
    static CColor FromButtonShadow();
    static CColor FromHighlight();
    static CColor FromHighlightText();
    static CColor FromButtonText();
    static CColor FromWindowText();

    constexpr bool operator==(const CColor&) const = default;
};

// The 20 colours the standard palette reserves.
constexpr int kStandardColorCount = 20;
const CColor& GetStandardColor(int index);

inline constexpr CColor kWhite{0xFFFF, 0xFFFF, 0xFFFF};
inline constexpr CColor kBlack{0x0000, 0x0000, 0x0000};
inline constexpr CColor kGrey93{0xEEEE, 0xEEEE, 0xEEEE};
inline constexpr CColor kGrey80{0xCCCC, 0xCCCC, 0xCCCC};
inline constexpr CColor kGrey63{0xA221, 0xA221, 0xA221};
inline constexpr CColor kGrey47{0x7777, 0x7777, 0x7777};
inline constexpr CColor kGrey23{0x3BBB, 0x3BBB, 0x3BBB};
inline constexpr CColor kDarkGreen{0x0000, 0x7777, 0x0000};
inline constexpr CColor kGreen{0x0000, 0xCCCC, 0x0000};
inline constexpr CColor kRed{0xFFFF, 0x0000, 0x0000};
inline constexpr CColor kPaleGreen{0xAE09, 0xFFFF, 0xB9DE};

} // namespace NSHarrowen

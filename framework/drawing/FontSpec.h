#pragma once

#include <cstdint>
#include <string>

namespace NSHarrowen {

// A font description: face, size in points (the cell height) and styles.
// The cached word belongs to whoever made a system font from it and takes no
// part in comparisons.
struct CFontSpec {
    static constexpr size_t kFaceCapacity = 65; // bytes, with the terminator

    std::string face;
    uint8_t size = 0;
    uint8_t bold = 0;
    uint8_t italic = 0;
    uint8_t underline = 0;
    uint32_t cached = 0;

    CFontSpec() = default;
    CFontSpec(const std::string& faceName, uint8_t pointSize) : CFontSpec(faceName, pointSize, 0, 0, 0) { }
    CFontSpec(const std::string& faceName, uint8_t pointSize, uint8_t isBold, uint8_t isItalic, uint8_t isUnderline);

    // Weight of the system font made from it.
    int Weight() const { return bold != 0 ? 700 : 400; }

    bool operator==(const CFontSpec& other) const
    {
        return face == other.face && size == other.size && bold == other.bold && italic == other.italic &&
            underline == other.underline;
    }
};

// "MS Sans Serif", size 8, no styles; built once.
const CFontSpec& GetStandardFont();

} // namespace NSHarrowen

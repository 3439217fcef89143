#pragma once

#include <cstdint>

namespace platform {

// Indices of the desktop's named colours.
enum class SystemColor : int {
    Highlight = 13,
    HighlightText = 14,
    ButtonFace = 15,
    ButtonShadow = 16,
    ButtonText = 18,
    ButtonHighlight = 20,
    WindowText = 8,
    Window = 5,
};

// A colour value as 0x00BBGGRR, in the classic desktop look.
uint32_t GetSystemColor(SystemColor which);

} // namespace platform

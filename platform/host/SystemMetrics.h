#pragma once

#include <string>

#include "platform/base/Geometry.h"

#include <cstdint>

namespace platform {

// The sizes of the layer's own window decoration, fixed so that layouts come
// out the same on every desktop.
enum class Metric {
    DialogFrameX,      // 3
    DialogFrameY,      // 3
    SizingFrameX,      // 4
    SizingFrameY,      // 4
    CaptionHeight,     // 19
    ScrollBarWidth,    // 16
    ScrollBarHeight,   // 16
    DoubleClickWidth,  // 4
    DoubleClickHeight, // 4
    SwapButtons,       // 0
};

int GetSystemMetric(Metric metric);
// Dialog base units: 8 in the low word (x), 16 in the high word (y).
uint32_t GetDialogBaseUnits();
uint32_t GetDoubleClickTime(); // milliseconds
// The desktop (the part windows may use) and the bits of one screen pixel.
Rect GetDesktopRect();
int GetScreenColorDepth();
// A blocking message box on the desktop; the index of the button pressed.
int ShowMessageBox(const std::string& title, const std::string& text, int buttons = 0);

} // namespace platform

#pragma once

#include "framework/windows/NoFrameWindow.h"

namespace NSHarrowen {

// The application toolbar: a frameless window across the top of the main
// frame, 8000 pixels wide, that the frame keeps above its MDI client. It is a
// tool window: not closed by the quit query, not listed, not cycled.
class CApplicationToolbar : public CNoFrameWindow {
public:
    explicit CApplicationToolbar(int16_t height);

    bool IsListedInWindowMenu() const override { return false; }
    bool IsClosedByQuit() const override { return false; }
};

} // namespace NSHarrowen

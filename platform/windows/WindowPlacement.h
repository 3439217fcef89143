#pragma once

#include "platform/base/Geometry.h"
#include "platform/windows/Message.h"

namespace platform {

// Where a top-level window stands: its show state and its rectangle when
// shown normally (kept while it is minimised or maximised).
struct WindowPlacement {
    enum class State { Normal, Minimized, Maximized };
    State state = State::Normal;
    Rect normal;
};

bool GetWindowPlacement(WindowHandle window, WindowPlacement& placement);
// Moves the window to its normal rectangle and shows it in the state.
bool SetWindowPlacement(WindowHandle window, const WindowPlacement& placement);

} // namespace platform

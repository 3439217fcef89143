#pragma once

#include "platform/base/Geometry.h"
#include "platform/input/CursorShape.h"

#include <cstdint>

// The pointer, the mouse buttons, the keys held and the cursor, as the window
// layer last saw them from the host.
namespace platform {

Point GetCursorPos();
// Moves the pointer on the desktop (the host warps the real one).
void SetCursorPos(Point screen);
// button: 1 left, 2 right, 3 middle.
bool IsMouseButtonDown(int button);
// Shows a cursor shape; only a change reaches the host.
void SetCursor(CursorShape shape);
CursorShape GetCursor();
void Beep();

} // namespace platform

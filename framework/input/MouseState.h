#pragma once

#include "framework/base/Point.h"
#include "platform/input/CursorShape.h"

#include <cstdint>

namespace NSHarrowen {

// The primary mouse button and the pointer's position on the desktop.
struct CMouseState {
    bool primaryDown = false;
    CPoint position;
};

// The primary button is the right one when the desktop swaps the buttons.
CMouseState GetMouseState();

// Cursors. Each shows its cursor only when it differs from the current one.
// Cursor resources of the program are named by number; the program says
// which shape each number stands for (RegisterCursorResource); an unknown
// number changes nothing.
void SetCursorFromResource(uint32_t id);
void SetArrowCursor();
void SetWaitCursor();
void RegisterCursorResource(uint32_t id, platform::CursorShape shape);

void SystemBeep();

} // namespace NSHarrowen

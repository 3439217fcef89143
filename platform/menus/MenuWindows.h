#pragma once

#include "platform/windows/Message.h"
#include "platform/base/Geometry.h"
#include "platform/menus/NativeMenu.h"

#include <vector>

// Menus drawn by the window layer itself: a menu bar as a strip at the top of
// a frame's client area, and pop-up menus as top-level windows.
namespace platform {

inline constexpr uint16_t kMenuBarChildId = 0xFFF0;

// A bar window showing the menu bar inside frame. Opening one of its menus
// sends msg::InitMenu to the frame first; a choice posts msg::Command with the
// item's number to the frame.
WindowHandle CreateMenuBarWindow(WindowHandle frame, MenuHandle bar);
// The bar window of a frame, 0 for none.
WindowHandle FindMenuBarWindow(WindowHandle frame);
MenuHandle GetMenuBarMenu(WindowHandle barWindow);
// Draws every bar window showing this bar again.
void RedrawMenuBars(MenuHandle bar);
int MenuBarHeight();
// Opens the menu whose title has this mnemonic (letters compared without
// regard to case), as a click on the title would; false when none has it.
bool OpenMenuBarMenuByMnemonic(WindowHandle barWindow, char letter);
// The left edge of each title in the bar window (client coordinates).
std::vector<Rect> MenuBarTitleRects(WindowHandle barWindow);

// Shows a pop-up menu as a window and waits for a click or Escape: the number
// of the chosen item, 0 for none. What TrackPopupMenu uses on a real desktop.
uint32_t RunPopupMenuWindow(const PopupRequest& request);

} // namespace platform
